#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// A program could not be started, or its pipe not read: what() says why.
class ProcessFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Where one of the child's standard streams goes.
enum class ChildStream
{
    kPipe,       // standard output: to this process, read with ReadOutput
    kDiscard,    // nowhere
    kInherit,    // where this process's own goes
    kFile,       // into a file, made or emptied (the file name is given)
    kClosedPipe, // a pipe nobody reads: every write fails
    kWithOutput, // standard error only: where standard output goes
};

// Bounds on what the child may take; 0 is no bound.
struct ChildLimits
{
    int cpuSeconds = 0;
    std::size_t addressSpaceBytes = 0;
};

struct ChildOptions
{
    std::vector<std::string> arguments; // after the program's own name
    ChildStream output = ChildStream::kPipe;
    std::string outputFile;
    ChildStream errors = ChildStream::kDiscard;
    std::string errorFile;
    // The whole environment, "NAME=value" each; this process's when absent.
    std::optional<std::vector<std::string>> environment;
    ChildLimits limits;
};

// How a child ended.
struct ChildEnd
{
    enum Kind
    {
        kExited,             // code: its exit code
        kCrashed,            // code: the signal (POSIX) or exception code (Windows)
        kOutOfProcessorTime, // it used up ChildLimits::cpuSeconds
        kKilled,             // by Kill, or by the end of its parent
    };
    Kind kind = kExited;
    long code = 0;

    // "signal 11", "exception 0xC0000005": the crash as the system names it.
    std::string CrashName() const;
};

// This process's environment, "NAME=value" each, in UTF-8.
std::vector<std::string> CurrentEnvironment();

// A program started with its standard input empty, run so that it ends with
// the parent: when this object goes, when the parent is killed (a process
// group and the parent-death signal on Linux, a job object that kills on
// close on Windows), and with it whatever it started itself.
class ChildProcess
{
public:
    // Raises ProcessFailure when the program cannot be started.
    ChildProcess(const std::string& program, const ChildOptions& options);
    // Kills the child if it still runs, and waits for it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    enum class Read
    {
        kData,     // something was added
        kEnd,      // the output is closed: everything was read
        kTimedOut, // nothing came before the deadline
    };
    // Adds what the child wrote on standard output (kPipe) to `into`, at
    // most `most` bytes, waiting until `deadline` for some. Raises
    // ProcessFailure when the pipe cannot be read.
    Read ReadOutput(std::string& into, std::size_t most,
                    std::chrono::steady_clock::time_point deadline);

    // How it ended, waiting until `deadline`; nothing while it runs.
    std::optional<ChildEnd> WaitUntil(std::chrono::steady_clock::time_point deadline);
    // Ends it and all it started, at once.
    void Kill();
    // As Ctrl-C would, then (Terminate) a request to end: SIGINT and SIGTERM
    // on POSIX; on Windows both the interrupt InterruptCatch listens for, and
    // a kill for a child that does not listen.
    void Interrupt();
    void Terminate();

    long Id() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
