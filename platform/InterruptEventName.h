#pragma once

// The event by which a parent asks a child of its own to stop, as Ctrl-C
// would (Windows sources only): a child that catches interrupts makes it.
#include <string>

namespace platform {

inline std::wstring InterruptEventName(unsigned long processId)
{
    return L"Local\\tavrin-interrupt-" + std::to_wstring(processId);
}

} // namespace platform
