#pragma once

#include "platform/Interrupt.h"

#include <stop_token>
#include <thread>

namespace cli {

// While one of these lives, Ctrl-C (or a termination request) does not end
// the program at once: it requests a stop on Token(), which ends a running
// conversation with a host within half a second, so the user is told what
// was left undone. A second Ctrl-C ends the program as usual.
class InterruptRequest
{
public:
    // Neither copied nor moved (the catch is one of a kind); the watcher,
    // destroyed first, is stopped and joined by its own destructor.
    InterruptRequest();

    static bool Requested();
    std::stop_token Token() const { return stop_.get_token(); }

private:
    platform::InterruptCatch catch_;
    std::stop_source stop_;
    // A signal handler may only set a flag: this turns the flag into a stop.
    std::jthread watcher_;
};

} // namespace cli
