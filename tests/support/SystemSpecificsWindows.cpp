#include "platform/WindowsText.h"
#include "tests/support/SystemSpecifics.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <windows.h>

namespace testsupport {

bool MakeFifo(const std::string& /*path*/)
{
    return false;
}

std::optional<std::string> MountSmallDisk(const std::string& /*path*/, std::size_t /*bytes*/)
{
    return std::string("no small disk can be mounted on Windows");
}

void UnmountSmallDisk(const std::string& /*path*/) {}

bool ProcessHasEnded(long id)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process)
        return true;
    const bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

bool EveryChildReaped()
{
    return true;
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value)
{
    const std::wstring wideValue = value ? platform::windows::Wide(*value) : std::wstring();
    SetEnvironmentVariableW(platform::windows::Wide(name).c_str(),
                            value ? wideValue.c_str() : nullptr);
}

std::string CrashName()
{
    return "exception 0xC0000005";
}

void Crash()
{
    SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::abort();
}

} // namespace testsupport
