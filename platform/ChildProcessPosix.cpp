#include "platform/ChildProcess.h"
#include "platform/UniqueHandle.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer reserves terabytes of address space for its shadow
// memory: a sanitized child cannot start under an address-space limit.
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif

// What exec failing in the child exits with, as a shell does.
constexpr int kCannotExec = 127;

[[noreturn]] void CannotStart(int error)
{
    throw ProcessFailure(std::strerror(error));
}

// A descriptor closed when it goes.
using Fd = UniqueDescriptor;

// A descriptor above the standard three, so that setting those up in the
// child cannot overwrite it.
Fd AboveStandard(int fd)
{
    if (fd < 0)
        CannotStart(errno);
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    const int error = errno;
    ::close(fd);
    if (moved < 0)
        CannotStart(error);
    return Fd(moved);
}

// Both ends of a new pipe; the first reads.
std::pair<Fd, Fd> Pipe()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        CannotStart(errno);
    Fd read = AboveStandard(ends[0]);
    return {std::move(read), AboveStandard(ends[1])};
}

// Where a stream other than a pipe goes; no descriptor: where it already goes.
Fd Destination(ChildStream stream, const std::string& file, int flags)
{
    switch (stream) {
    case ChildStream::kDiscard:
        return AboveStandard(::open("/dev/null", flags | O_CLOEXEC));
    case ChildStream::kFile:
        return AboveStandard(::open(file.c_str(), flags | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    case ChildStream::kClosedPipe:
        return std::move(Pipe().second); // the reading end closes here
    default:
        return Fd();
    }
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int Remaining(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), 1 << 30));
}

} // namespace

struct ChildProcess::State
{
    pid_t pid = -1;
    Fd output;
    std::optional<ChildEnd> end;
    bool killed = false;

    // True once the child ended (and is reaped).
    bool Reaped(int options)
    {
        int status = 0;
        pid_t got = 0;
        do
            got = ::waitpid(pid, &status, options);
        while (got < 0 && errno == EINTR);
        if (got == 0)
            return false;
        if (got < 0) {
            end = ChildEnd{ChildEnd::kKilled, 0}; // cannot be waited for: gone
            return true;
        }
        if (WIFEXITED(status))
            end = ChildEnd{ChildEnd::kExited, WEXITSTATUS(status)};
        else if (WTERMSIG(status) == SIGXCPU)
            end = ChildEnd{ChildEnd::kOutOfProcessorTime, SIGXCPU};
        else if (killed && WTERMSIG(status) == SIGKILL)
            end = ChildEnd{ChildEnd::kKilled, SIGKILL};
        else
            end = ChildEnd{ChildEnd::kCrashed, WTERMSIG(status)};
        return true;
    }
};

std::string ChildEnd::CrashName() const
{
    return "signal " + std::to_string(code);
}

std::vector<std::string> CurrentEnvironment()
{
    std::vector<std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry)
        variables.emplace_back(*entry);
    return variables;
}

ChildProcess::ChildProcess(const std::string& program, const ChildOptions& options)
    : state_(std::make_unique<State>())
{
    // Everything the child needs is made before fork: between fork and exec
    // it only makes plain system calls.
    std::vector<std::string> argumentTexts{program};
    argumentTexts.insert(argumentTexts.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv = Pointers(argumentTexts);
    std::vector<std::string> environmentTexts =
        options.environment ? *options.environment : CurrentEnvironment();
    std::vector<char*> envp = Pointers(environmentTexts);

    Fd input = AboveStandard(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    Fd output;
    if (options.output == ChildStream::kPipe) {
        auto [read, write] = Pipe();
        state_->output = std::move(read);
        output = std::move(write);
    } else {
        output = Destination(options.output, options.outputFile, O_WRONLY);
    }
    const Fd errors = Destination(options.errors, options.errorFile, O_WRONLY);
    const bool errorsWithOutput = options.errors == ChildStream::kWithOutput;

    const ChildLimits& limits = options.limits;
    const rlim_t cpu = static_cast<rlim_t>(limits.cpuSeconds);
    const rlimit cpuLimit{cpu, cpu + 1}; // SIGXCPU first, SIGKILL a second later
    const rlimit addressLimit{static_cast<rlim_t>(limits.addressSpaceBytes),
                              static_cast<rlim_t>(limits.addressSpaceBytes)};
    const rlimit noCore{0, 0};
    sigset_t noSignalsBlocked;
    sigemptyset(&noSignalsBlocked);
    const pid_t parent = ::getpid();

    const pid_t pid = ::fork();
    if (pid < 0)
        CannotStart(errno);
    if (pid == 0) {
        // Its own process group: a kill ends what it started too, and the
        // terminal's Ctrl-C is for the parent to handle. It dies with the
        // parent; a parent gone before that was set is seen here.
        if (::setpgid(0, 0) != 0 || ::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 ||
            ::getppid() != parent)
            ::_exit(kCannotExec);
        if (::dup2(input.get(), STDIN_FILENO) < 0 ||
            (output.get() >= 0 && ::dup2(output.get(), STDOUT_FILENO) < 0) ||
            (errors.get() >= 0 && ::dup2(errors.get(), STDERR_FILENO) < 0) ||
            (errorsWithOutput && ::dup2(STDOUT_FILENO, STDERR_FILENO) < 0))
            ::_exit(kCannotExec);
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (limits.cpuSeconds > 0 && ::setrlimit(RLIMIT_CPU, &cpuLimit) != 0)
            ::_exit(kCannotExec);
        if (kLimitAddressSpace && limits.addressSpaceBytes > 0 &&
            ::setrlimit(RLIMIT_AS, &addressLimit) != 0)
            ::_exit(kCannotExec);
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGXCPU, SIG_DFL);
        ::sigprocmask(SIG_SETMASK, &noSignalsBlocked, nullptr);
        ::close_range(3, ~0U, 0);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(kCannotExec);
    }
    // Also here, so that the group exists before any kill, whichever of the
    // two runs first.
    ::setpgid(pid, pid);
    state_->pid = pid;
}

ChildProcess::~ChildProcess()
{
    if (!state_->end) {
        Kill();
        state_->Reaped(0);
    }
}

ChildProcess::Read ChildProcess::ReadOutput(std::string& into, std::size_t most,
                                            std::chrono::steady_clock::time_point deadline)
{
    char chunk[65536];
    for (;;) {
        pollfd wanted{state_->output.get(), POLLIN, 0};
        const int ready = ::poll(&wanted, 1, Remaining(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            throw ProcessFailure(std::strerror(errno));
        if (ready == 0)
            return Read::kTimedOut;
        const ssize_t got = ::read(state_->output.get(), chunk, std::min(most, sizeof chunk));
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0)
            throw ProcessFailure(std::strerror(errno));
        if (got == 0)
            return Read::kEnd;
        into.append(chunk, static_cast<std::size_t>(got));
        return Read::kData;
    }
}

std::optional<ChildEnd> ChildProcess::WaitUntil(std::chrono::steady_clock::time_point deadline)
{
    while (!state_->end && !state_->Reaped(WNOHANG)) {
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return state_->end;
}

// The group is killed before the leader is reaped, while its number is still
// this child's; the leader alone where the group could not be made.
void ChildProcess::Kill()
{
    if (state_->end)
        return;
    state_->killed = true;
    if (::kill(-state_->pid, SIGKILL) != 0)
        ::kill(state_->pid, SIGKILL);
}

void ChildProcess::Interrupt()
{
    if (!state_->end)
        ::kill(state_->pid, SIGINT);
}

void ChildProcess::Terminate()
{
    if (!state_->end)
        ::kill(state_->pid, SIGTERM);
}

long ChildProcess::Id() const
{
    return state_->pid;
}

} // namespace platform
