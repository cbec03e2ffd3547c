#include "store/engine/MdbReaderProcess.h"

#include "store/ComError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace store {

namespace {
using Clock = std::chrono::steady_clock;

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer reserves terabytes of address space for its shadow
// memory: a sanitized reader cannot start under an address-space limit.
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif

[[noreturn]] void Fail(const std::string& reason)
{
    RaiseReaderFailure(reason);
}

// A descriptor closed when it goes.
class Fd
{
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// A descriptor above the standard three, so that setting those up in the
// child cannot overwrite it.
Fd AboveStandard(int fd)
{
    if (fd < 0)
        Fail(std::string("the reader cannot be started (") + std::strerror(errno) + ")");
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    const int error = errno;
    ::close(fd);
    if (moved < 0)
        Fail(std::string("the reader cannot be started (") + std::strerror(error) + ")");
    return Fd(moved);
}

// The child's environment: this one's, without libmdb's settings, so that
// texts always come out as UTF-8.
std::vector<std::string> ReaderEnvironment()
{
    std::vector<std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry)
        if (std::strncmp(*entry, "MDB_", 4) != 0)
            variables.emplace_back(*entry);
    variables.emplace_back("MDB_ICONV=UTF-8");
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Owns the started child: kills and reaps it unless it was reaped already.
// The child leads a process group of its own, so that a kill also ends what
// it started itself (a script's `sleep`, say) instead of leaving it behind.
class Child
{
public:
    explicit Child(pid_t pid) : pid_(pid) {}
    ~Child()
    {
        if (pid_ > 0) {
            Kill();
            Wait(nullptr);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The group is killed before the leader is reaped, while its number is
    // still this child's; the leader alone where the group could not be made.
    void Kill()
    {
        if (::kill(-pid_, SIGKILL) != 0)
            ::kill(pid_, SIGKILL);
    }
    // Blocks until the child ended; false when it cannot be waited for.
    bool Wait(int* status)
    {
        int ignored = 0;
        pid_t got = 0;
        do
            got = ::waitpid(pid_, status ? status : &ignored, 0);
        while (got < 0 && errno == EINTR);
        pid_ = 0;
        return got > 0;
    }
    // True once the child ended (and is reaped).
    bool Ended(int* status)
    {
        pid_t got = 0;
        do
            got = ::waitpid(pid_, status, WNOHANG);
        while (got < 0 && errno == EINTR);
        if (got == 0)
            return false;
        pid_ = 0;
        if (got < 0)
            Fail(std::string("the reader's end cannot be seen (") + std::strerror(errno) + ")");
        return true;
    }

private:
    pid_t pid_;
};

[[noreturn]] void RunOutOfTime(Child& child, const MdbReaderLimits& limits)
{
    child.Kill();
    child.Wait(nullptr);
    Fail("the reader ran out of time (" + std::to_string(limits.wallClock.count()) + " ms)");
}

int Remaining(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), 1 << 30));
}

std::string EndedBy(int status)
{
    const int number = WTERMSIG(status);
    if (number == SIGXCPU)
        return "the reader ran out of processor time";
    return "the reader crashed (signal " + std::to_string(number) + ")";
}
} // namespace

void RaiseReaderFailure(const std::string& reason)
{
    throw ado::_com_error(ado::E_FAIL, "Access database reader", reason);
}

MdbReaderRun RunMdbReader(const std::string& program, const std::vector<std::string>& arguments,
                          const MdbReaderLimits& limits)
{
    if (::access(program.c_str(), X_OK) != 0)
        Fail("the reader program '" + program + "' cannot be run (" + std::strerror(errno) + ")");

    // Everything the child needs is made before fork: between fork and exec
    // it only makes plain system calls.
    std::vector<std::string> argumentTexts{program};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = Pointers(argumentTexts);
    std::vector<std::string> environmentTexts = ReaderEnvironment();
    std::vector<char*> envp = Pointers(environmentTexts);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        Fail(std::string("the reader cannot be started (") + std::strerror(errno) + ")");
    Fd readEnd = AboveStandard(ends[0]);
    Fd writeEnd = AboveStandard(ends[1]);
    Fd nullIn = AboveStandard(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    Fd nullOut = AboveStandard(::open("/dev/null", O_WRONLY | O_CLOEXEC));

    const rlim_t cpu = static_cast<rlim_t>(limits.cpuSeconds > 0 ? limits.cpuSeconds : 1);
    const rlimit cpuLimit{cpu, cpu + 1}; // SIGXCPU first, SIGKILL a second later
    const rlimit addressLimit{static_cast<rlim_t>(limits.addressSpaceBytes),
                              static_cast<rlim_t>(limits.addressSpaceBytes)};
    const rlimit noCore{0, 0};
    sigset_t noSignalsBlocked;
    sigemptyset(&noSignalsBlocked);

    const pid_t pid = ::fork();
    if (pid < 0)
        Fail(std::string("the reader cannot be started (") + std::strerror(errno) + ")");
    if (pid == 0) {
        if (::setpgid(0, 0) != 0 || ::dup2(nullIn.get(), STDIN_FILENO) < 0 ||
            ::dup2(writeEnd.get(), STDOUT_FILENO) < 0 || ::dup2(nullOut.get(), STDERR_FILENO) < 0)
            ::_exit(127);
        ::setrlimit(RLIMIT_CORE, &noCore);
        if (::setrlimit(RLIMIT_CPU, &cpuLimit) != 0)
            ::_exit(127);
        if (kLimitAddressSpace && ::setrlimit(RLIMIT_AS, &addressLimit) != 0)
            ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGXCPU, SIG_DFL);
        ::sigprocmask(SIG_SETMASK, &noSignalsBlocked, nullptr);
        ::close_range(3, ~0U, 0);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }

    // Also here, so that the group exists before any kill, whichever of the
    // two runs first.
    ::setpgid(pid, pid);
    Child child(pid);
    writeEnd.Close();
    nullIn.Close();
    nullOut.Close();

    const Clock::time_point deadline = Clock::now() + limits.wallClock;
    MdbReaderRun run;
    char chunk[65536];
    for (;;) {
        pollfd wanted{readEnd.get(), POLLIN, 0};
        const int ready = ::poll(&wanted, 1, Remaining(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            Fail(std::string("the reader's output cannot be read (") + std::strerror(errno) + ")");
        if (ready == 0)
            RunOutOfTime(child, limits);
        const ssize_t got = ::read(readEnd.get(), chunk, sizeof chunk);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0)
            Fail(std::string("the reader's output cannot be read (") + std::strerror(errno) + ")");
        if (got == 0)
            break;
        if (run.output.size() + static_cast<std::size_t>(got) > limits.outputBytes)
            Fail("the reader's answer is larger than " + std::to_string(limits.outputBytes) +
                 " bytes");
        run.output.append(chunk, static_cast<std::size_t>(got));
    }

    // Its output is complete; it should end at once.
    int status = 0;
    while (!child.Ended(&status)) {
        if (Clock::now() >= deadline)
            RunOutOfTime(child, limits);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFSIGNALED(status))
        Fail(EndedBy(status));
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace store
