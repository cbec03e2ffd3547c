#include "tests/hostlink/RunningProgram.h"

#include "platform/ExecutablePath.h"

namespace hostlinktest {

std::string VirtualHostToolPath()
{
    return std::string(TAVRIN_BIN_DIR) + "/tavrin-virtual-host" + platform::kExecutableSuffix;
}

namespace {
using Clock = std::chrono::steady_clock;
} // namespace

RunningProgram::RunningProgram(const std::string& program, const std::vector<std::string>& args,
                               bool errorsToo)
{
    platform::ChildOptions options;
    options.arguments = args;
    options.errors =
        errorsToo ? platform::ChildStream::kWithOutput : platform::ChildStream::kInherit;
    try {
        child_ = std::make_unique<platform::ChildProcess>(program, options);
    } catch (const platform::ProcessFailure&) {
        child_.reset();
    }
}

RunningProgram::~RunningProgram()
{
    Terminate();
}

std::optional<std::string> RunningProgram::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        if (!child_ ||
            child_->ReadOutput(pending_, 4096, deadline) != platform::ChildProcess::Read::kData)
            return std::nullopt;
    }
}

std::optional<int> RunningProgram::Wait(std::chrono::milliseconds timeout)
{
    if (exitCode_ || !child_)
        return exitCode_;
    const std::optional<platform::ChildEnd> end = child_->WaitUntil(Clock::now() + timeout);
    if (!end)
        return std::nullopt;
    exitCode_ = end->kind == platform::ChildEnd::kExited   ? static_cast<int>(end->code)
                : end->kind == platform::ChildEnd::kKilled ? kKilled
                                                           : 128 + static_cast<int>(end->code);
    return exitCode_;
}

void RunningProgram::Interrupt()
{
    if (child_ && !exitCode_)
        child_->Interrupt();
}

void RunningProgram::Kill()
{
    if (child_ && !exitCode_)
        child_->Kill();
}

void RunningProgram::Terminate()
{
    if (!child_ || exitCode_)
        return;
    child_->Terminate();
    if (!Wait(std::chrono::milliseconds(5000))) {
        child_->Kill();
        Wait(std::chrono::milliseconds(5000));
    }
}

} // namespace hostlinktest
