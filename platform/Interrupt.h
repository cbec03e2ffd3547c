#pragma once

#include <chrono>

namespace platform {

// While one lives, Ctrl-C and requests to end the program (SIGINT and
// SIGTERM; on Windows Ctrl-C, Ctrl-Break, the console closing, and an
// interrupt sent by ChildProcess::Interrupt) do not end it at once: they set
// a flag the program looks at, so that it can stop its work and say what was
// left undone. A second Ctrl-C ends the program as usual. One at a time.
class InterruptCatch
{
public:
    InterruptCatch();
    ~InterruptCatch();
    InterruptCatch(const InterruptCatch&) = delete;
    InterruptCatch& operator=(const InterruptCatch&) = delete;

    static bool Requested();
    // The program asks itself to stop, as an interrupt would.
    static void Request();
    // Waits until an interrupt is requested.
    static void WaitForRequest();
};

} // namespace platform
