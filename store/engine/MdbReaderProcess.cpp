#include "store/engine/MdbReaderProcess.h"

#include "platform/ChildProcess.h"
#include "platform/ExecutablePath.h"
#include "store/ComError.h"

#include <memory>

namespace store {

namespace {
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& reason)
{
    RaiseReaderFailure(reason);
}

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

[[noreturn]] void RunOutOfTime(platform::ChildProcess& child, const MdbReaderLimits& limits)
{
    child.Kill();
    child.WaitUntil(Clock::time_point::max());
    Fail("the reader ran out of time (" + std::to_string(limits.wallClock.count()) + " ms)");
}

// An end the reader gave no answer by.
[[noreturn]] void FailByEnd(const platform::ChildEnd& end)
{
    if (end.kind == platform::ChildEnd::kOutOfProcessorTime)
        Fail("the reader ran out of processor time");
    Fail("the reader crashed (" + end.CrashName() + ")");
}
} // namespace

void RaiseReaderFailure(const std::string& reason)
{
    throw ado::_com_error(ado::E_FAIL, "Access database reader", reason);
}

MdbReaderRun RunMdbReader(const std::string& program, const std::vector<std::string>& arguments,
                          const MdbReaderLimits& limits)
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

    std::unique_ptr<platform::ChildProcess> started;
    try {
        started = std::make_unique<platform::ChildProcess>(program, options);
    } catch (const platform::ProcessFailure& failure) {
        Fail(std::string("the reader cannot be started (") + failure.what() + ")");
    }
    platform::ChildProcess& child = *started;
    const Clock::time_point deadline = Clock::now() + limits.wallClock;
    MdbReaderRun run;
    try {
        for (;;) {
            // One byte more than the limit allows shows an answer too large.
            const std::size_t room = limits.outputBytes - run.output.size() + 1;
            const auto read = child.ReadOutput(run.output, room, deadline);
            if (read == platform::ChildProcess::Read::kTimedOut)
                RunOutOfTime(child, limits);
            if (read == platform::ChildProcess::Read::kEnd)
                break;
            if (run.output.size() > limits.outputBytes)
                Fail("the reader's answer is larger than " + std::to_string(limits.outputBytes) +
                     " bytes");
        }
        // Its output is complete; it should end at once.
        const std::optional<platform::ChildEnd> end = child.WaitUntil(deadline);
        if (!end)
            RunOutOfTime(child, limits);
        if (end->kind != platform::ChildEnd::kExited)
            FailByEnd(*end);
        run.exitStatus = static_cast<int>(end->code);
    } catch (const platform::ProcessFailure& failure) {
        Fail(std::string("the reader's output cannot be read (") + failure.what() + ")");
    }
    return run;
}

} // namespace store
