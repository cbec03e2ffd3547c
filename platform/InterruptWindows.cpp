#include "platform/Interrupt.h"
#include "platform/InterruptEventName.h"

#include <atomic>
#include <thread>
#include <windows.h>

namespace platform {

namespace {

std::atomic<bool> requested{false};
HANDLE requestEvent = nullptr; // set on every request
HANDLE endedEvent = nullptr;   // set when the catch ends
HANDLE fromParent = nullptr;   // named: ChildProcess::Interrupt sets it
std::thread parentWatch;

void Set()
{
    requested.store(true);
    SetEvent(requestEvent);
}

// The console closing (or the session ending) ends the program once the
// handler returns: it waits a little for the program to stop its work.
constexpr DWORD kCloseGrace = 3000;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        if (requested.load())
            return FALSE; // the second one takes the default way out
        Set();
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        Set();
        WaitForSingleObject(endedEvent, kCloseGrace);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

InterruptCatch::InterruptCatch()
{
    requested.store(false);
    requestEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    endedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    fromParent =
        CreateEventW(nullptr, FALSE, FALSE, InterruptEventName(GetCurrentProcessId()).c_str());
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    if (fromParent) {
        parentWatch = std::thread([] {
            const HANDLE either[] = {fromParent, endedEvent};
            while (WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0) {
                if (requested.load())
                    ExitProcess(STATUS_CONTROL_C_EXIT); // as a second Ctrl-C would
                Set();
            }
        });
    }
}

InterruptCatch::~InterruptCatch()
{
    SetEvent(endedEvent);
    if (parentWatch.joinable())
        parentWatch.join();
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    for (HANDLE* handle : {&fromParent, &requestEvent, &endedEvent}) {
        if (*handle)
            CloseHandle(*handle);
        *handle = nullptr;
    }
}

bool InterruptCatch::Requested()
{
    return requested.load();
}

void InterruptCatch::Request()
{
    Set();
}

void InterruptCatch::WaitForRequest()
{
    WaitForSingleObject(requestEvent, INFINITE);
}

} // namespace platform
