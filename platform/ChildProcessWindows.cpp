#include "platform/ChildProcess.h"
#include "platform/InterruptEventName.h"
#include "platform/UniqueHandle.h"
#include "platform/WindowsText.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <utility>
#include <vector>
#include <windows.h>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// How often the waits look at the child's processor time.
constexpr std::chrono::milliseconds kCpuWatch{50};

[[noreturn]] void CannotStart(DWORD error)
{
    throw ProcessFailure(windows::ErrorText(error));
}

// A handle closed when it goes; INVALID_HANDLE_VALUE is kept as none.
struct HandleTraits
{
    using Handle = HANDLE;
    static HANDLE None() { return nullptr; }
    static bool Valid(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using Handle = UniqueHandle<HandleTraits>;

// Handles the child inherits are made inheritable only while this is held,
// so that a child started meanwhile by another thread cannot take them.
std::mutex starting;

Handle Inheritable(HANDLE handle)
{
    Handle owned(handle);
    if (!owned.get() || !SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
        CannotStart(GetLastError());
    return owned;
}

Handle OpenForChild(const std::wstring& name, DWORD access, DWORD disposition)
{
    const HANDLE file =
        CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        CannotStart(GetLastError());
    return Inheritable(file);
}

// Both ends of a new pipe, neither inheritable yet; the first reads.
std::pair<Handle, Handle> Pipe()
{
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, nullptr, 0))
        CannotStart(GetLastError());
    return {Handle(read), Handle(write)};
}

Handle StandardCopy(DWORD which)
{
    HANDLE copy = nullptr;
    const HANDLE own = GetStdHandle(which);
    if (!own || own == INVALID_HANDLE_VALUE ||
        !DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS))
        return OpenForChild(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
    return Handle(copy);
}

Handle Destination(ChildStream stream, const std::string& file, DWORD which)
{
    switch (stream) {
    case ChildStream::kDiscard:
        return OpenForChild(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
    case ChildStream::kFile:
        return OpenForChild(windows::Wide(file), GENERIC_WRITE, CREATE_ALWAYS);
    case ChildStream::kClosedPipe: // the reading end closes here
        return Inheritable(Pipe().second.Release());
    case ChildStream::kInherit:
    default:
        return StandardCopy(which);
    }
}

// One argument as the C runtime's command-line parser takes it apart again.
std::wstring Quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

// The list of handles a child may inherit; empty where the system has none.
class AttributeList
{
public:
    explicit AttributeList(std::vector<HANDLE>& handles)
    {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        if (size == 0 || !InitializeProcThreadAttributeList(list, 1, 0, &size))
            return;
        if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles.data(),
                                       handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(list);
            return;
        }
        list_ = list;
    }
    ~AttributeList()
    {
        if (list_)
            DeleteProcThreadAttributeList(list_);
    }
    AttributeList(const AttributeList&) = delete;
    AttributeList& operator=(const AttributeList&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

private:
    std::vector<char> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

std::wstring EnvironmentBlock(const std::vector<std::string>& variables)
{
    std::wstring block;
    for (const std::string& variable : variables) {
        block += windows::Wide(variable);
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

} // namespace

struct ChildProcess::State
{
    Handle process;
    Handle job;
    DWORD id = 0;
    int cpuSeconds = 0;
    bool killed = false;
    bool outOfCpu = false;
    std::optional<ChildEnd> end;

    // The pipe is read by a thread of its own: an anonymous pipe has no
    // reads with a time limit.
    Handle output;
    Handle reader;
    std::mutex mutex;
    std::condition_variable arrived;
    std::string pending;
    bool closed = false;

    static DWORD WINAPI ReadAll(void* self)
    {
        State& state = *static_cast<State*>(self);
        char chunk[65536];
        DWORD got = 0;
        while (ReadFile(state.output.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
            const std::lock_guard lock(state.mutex);
            state.pending.append(chunk, got);
            state.arrived.notify_all();
        }
        const std::lock_guard lock(state.mutex);
        state.closed = true;
        state.arrived.notify_all();
        return 0;
    }

    // Ends the child when it has used up its processor time.
    void WatchCpu()
    {
        FILETIME created, exited, kernel, user;
        if (cpuSeconds <= 0 || end || outOfCpu ||
            !GetProcessTimes(process.get(), &created, &exited, &kernel, &user))
            return;
        const auto ticks = [](const FILETIME& time) {
            return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
        };
        if (ticks(kernel) + ticks(user) >= std::uint64_t(cpuSeconds) * 10'000'000) {
            outOfCpu = true;
            KillAll();
        }
    }

    void KillAll()
    {
        if (!job.get() || !TerminateJobObject(job.get(), 1))
            TerminateProcess(process.get(), 1);
    }
};

std::string ChildEnd::CrashName() const
{
    char text[32];
    std::snprintf(text, sizeof text, "exception 0x%08lX", static_cast<unsigned long>(code));
    return text;
}

std::vector<std::string> CurrentEnvironment()
{
    std::vector<std::string> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; entry && *entry; entry += wcslen(entry) + 1)
        variables.push_back(windows::Narrow(entry));
    if (block)
        FreeEnvironmentStringsW(block);
    return variables;
}

ChildProcess::ChildProcess(const std::string& program, const ChildOptions& options)
    : state_(std::make_unique<State>())
{
    State& state = *state_;
    state.cpuSeconds = options.limits.cpuSeconds;
    const std::wstring application = windows::Wide(program);
    std::wstring commandLine = Quoted(application);
    for (const std::string& argument : options.arguments)
        commandLine += L" " + Quoted(windows::Wide(argument));
    std::wstring environment;
    if (options.environment)
        environment = EnvironmentBlock(*options.environment);

    const std::lock_guard lock(starting);
    Handle input = OpenForChild(L"NUL", GENERIC_READ, OPEN_EXISTING);
    Handle output;
    if (options.output == ChildStream::kPipe) {
        auto [read, write] = Pipe();
        state.output = std::move(read);
        output = Inheritable(write.Release());
    } else {
        output = Destination(options.output, options.outputFile, STD_OUTPUT_HANDLE);
    }
    Handle errors;
    if (options.errors != ChildStream::kWithOutput)
        errors = Destination(options.errors, options.errorFile, STD_ERROR_HANDLE);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = output.get();
    startup.StartupInfo.hStdError = errors.get() ? errors.get() : output.get();
    // It inherits its three standard handles and nothing else of this
    // process's (the pipe of another child, say).
    std::vector<HANDLE> inherited{input.get(), output.get()};
    if (errors.get())
        inherited.push_back(errors.get());
    const AttributeList attributes(inherited);
    startup.lpAttributeList = attributes.get();

    // Its own process group: the console's Ctrl-C is for the parent to
    // handle. Suspended until it is in the job, so that nothing it starts
    // escapes. No console window of its own when the parent has none.
    const DWORD flags = CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP |
                        (attributes.get() ? EXTENDED_STARTUPINFO_PRESENT : 0) |
                        (GetConsoleWindow() ? 0 : CREATE_NO_WINDOW);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags,
                        options.environment ? environment.data() : nullptr, nullptr,
                        &startup.StartupInfo, &started))
        CannotStart(GetLastError());
    state.process = Handle(started.hProcess);
    const Handle thread(started.hThread);
    state.id = started.dwProcessId;

    // The job ends it, and all it started, when the job's last handle goes:
    // when this object goes or this process ends, however it ends. Where a
    // job cannot be had (a process already in a job that takes no other, as
    // under wine), the child is ended by itself, and with the job this
    // process is in.
    state.job = Handle(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    // A crash ends it at once: no error box waits for a user.
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (options.limits.addressSpaceBytes > 0) {
        limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = options.limits.addressSpaceBytes;
    }
    if (!state.job.get() ||
        !SetInformationJobObject(state.job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits) ||
        !AssignProcessToJobObject(state.job.get(), state.process.get()))
        state.job.Close();
    ResumeThread(thread.get());

    if (state.output.get()) {
        state.reader = Handle(CreateThread(nullptr, 0, State::ReadAll, &state, 0, nullptr));
        if (!state.reader.get()) {
            const DWORD error = GetLastError();
            Kill();
            CannotStart(error);
        }
    }
}

ChildProcess::~ChildProcess()
{
    State& state = *state_;
    if (!state.end) {
        Kill();
        WaitForSingleObject(state.process.get(), INFINITE);
    }
    // The child and all it started are gone, and with them every writing
    // end of the pipe: the reader sees the end.
    if (state.reader.get()) {
        if (WaitForSingleObject(state.reader.get(), 2000) != WAIT_OBJECT_0)
            CancelSynchronousIo(state.reader.get());
        WaitForSingleObject(state.reader.get(), INFINITE);
    }
}

ChildProcess::Read ChildProcess::ReadOutput(std::string& into, std::size_t most,
                                            std::chrono::steady_clock::time_point deadline)
{
    State& state = *state_;
    std::unique_lock lock(state.mutex);
    for (;;) {
        if (!state.pending.empty()) {
            const std::size_t taken = std::min(most, state.pending.size());
            into.append(state.pending, 0, taken);
            state.pending.erase(0, taken);
            return Read::kData;
        }
        if (state.closed)
            return Read::kEnd;
        const auto now = Clock::now();
        if (now >= deadline)
            return Read::kTimedOut;
        state.arrived.wait_until(lock, std::min(deadline, now + kCpuWatch));
        lock.unlock();
        state.WatchCpu();
        lock.lock();
    }
}

std::optional<ChildEnd> ChildProcess::WaitUntil(std::chrono::steady_clock::time_point deadline)
{
    State& state = *state_;
    while (!state.end) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        const DWORD slice = static_cast<DWORD>(std::clamp<long long>(left.count(), 0, 50));
        if (WaitForSingleObject(state.process.get(), slice) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(state.process.get(), &code);
            if (state.outOfCpu)
                state.end = ChildEnd{ChildEnd::kOutOfProcessorTime, static_cast<long>(code)};
            else if (state.killed)
                state.end = ChildEnd{ChildEnd::kKilled, static_cast<long>(code)};
            else if (code >= 0xC0000000UL) // an exception code: it crashed
                state.end = ChildEnd{ChildEnd::kCrashed, static_cast<long>(code)};
            else
                state.end = ChildEnd{ChildEnd::kExited, static_cast<long>(code)};
            break;
        }
        state.WatchCpu();
        if (Clock::now() >= deadline)
            return std::nullopt;
    }
    return state.end;
}

void ChildProcess::Kill()
{
    if (state_->end)
        return;
    state_->killed = true;
    state_->KillAll();
}

// A child that catches interrupts has made the event; one that does not is
// ended, as Ctrl-C would end it.
void ChildProcess::Interrupt()
{
    if (state_->end)
        return;
    const Handle event(
        OpenEventW(EVENT_MODIFY_STATE, FALSE, InterruptEventName(state_->id).c_str()));
    if (!event.get() || !SetEvent(event.get()))
        Kill();
}

void ChildProcess::Terminate()
{
    Interrupt();
}

long ChildProcess::Id() const
{
    return static_cast<long>(state_->id);
}

} // namespace platform
