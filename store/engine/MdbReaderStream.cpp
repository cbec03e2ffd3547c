#include "store/engine/MdbReaderStream.h"

#include "platform/ChildProcess.h"
#include "platform/ExecutablePath.h"

namespace store {

namespace {
constexpr std::size_t kDropBytes = std::size_t{64} << 10;

// The child's environment: this one's, without libmdb's settings, so that
// texts always come out as UTF-8.
std::vector<std::string> ReaderEnvironment()
{
    std::vector<std::string> variables;
    for (std::string& variable : platform::CurrentEnvironment())
        if (variable.compare(0, 4, "MDB_") != 0)
            variables.push_back(std::move(variable));
    variables.emplace_back("MDB_ICONV=UTF-8");
    return variables;
}
} // namespace

MdbReaderStream::MdbReaderStream(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 const MdbReaderLimits& limits)
    : limits_(limits)
{
    if (const std::optional<std::string> why = platform::WhyNotRunnable(program))
        Fail("the reader program '" + program + "' cannot be run (" + *why + ")");

    platform::ChildOptions options;
    options.arguments = arguments;
    options.output = platform::ChildStream::kPipe;
    options.errors = platform::ChildStream::kDiscard;
    options.environment = ReaderEnvironment();
    options.limits.cpuSeconds = limits.cpuSeconds > 0 ? limits.cpuSeconds : 1;
    options.limits.addressSpaceBytes = limits.addressSpaceBytes;
    try {
        child_ = std::make_unique<platform::ChildProcess>(program, options);
    } catch (const platform::ProcessFailure& failure) {
        Fail(std::string("the reader cannot be started (") + failure.what() + ")");
    }
    deadline_ = Clock::now() + limits.wallClock;
    paused_ = Clock::now();
}

MdbReaderStream::~MdbReaderStream() = default; // the child's own end kills and reaps it

void MdbReaderStream::Fail(const std::string& reason)
{
    failed_ = true;
    RaiseReaderFailure(reason);
}

void MdbReaderStream::RunOutOfTime()
{
    child_->Kill();
    child_->WaitUntil(Clock::time_point::max());
    Fail("the reader ran out of time (" + std::to_string(limits_.wallClock.count()) + " ms)");
}

void MdbReaderStream::Resume()
{
    const Clock::time_point now = Clock::now();
    deadline_ += now - paused_;
    paused_ = now;
}

bool MdbReaderStream::Read(std::string& into, std::size_t most)
{
    if (outputEnded_)
        return false;
    Resume();
    // One byte more than the limit allows shows an answer too large.
    const std::size_t room = limits_.outputBytes - read_ + 1;
    const std::size_t before = into.size();
    platform::ChildProcess::Read read{};
    try {
        read = child_->ReadOutput(into, std::min(most == 0 ? 1 : most, room), deadline_);
    } catch (const platform::ProcessFailure& failure) {
        Fail(std::string("the reader's output cannot be read (") + failure.what() + ")");
    }
    paused_ = Clock::now();
    if (read == platform::ChildProcess::Read::kTimedOut)
        RunOutOfTime();
    if (read == platform::ChildProcess::Read::kEnd) {
        outputEnded_ = true;
        return false;
    }
    read_ += into.size() - before;
    if (read_ > limits_.outputBytes)
        Fail("the reader's answer is larger than " + std::to_string(limits_.outputBytes) +
             " bytes");
    return true;
}

int MdbReaderStream::End()
{
    std::string dropped;
    while (Read(dropped, kDropBytes))
        dropped.clear();
    Resume();
    // Its output is complete; it should end at once.
    std::optional<platform::ChildEnd> end;
    try {
        end = child_->WaitUntil(deadline_);
    } catch (const platform::ProcessFailure& failure) {
        Fail(std::string("the reader's output cannot be read (") + failure.what() + ")");
    }
    if (!end)
        RunOutOfTime();
    if (end->kind == platform::ChildEnd::kOutOfProcessorTime)
        Fail("the reader ran out of processor time");
    if (end->kind != platform::ChildEnd::kExited)
        Fail("the reader crashed (" + end->CrashName() + ")");
    return static_cast<int>(end->code);
}

} // namespace store
