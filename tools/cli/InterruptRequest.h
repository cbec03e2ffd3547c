#pragma once

namespace cli {

// While one of these lives, Ctrl-C (or a termination request) does not end
// the program at once: it asks the running download to stop after the cue in
// flight, so the host is left at a cue boundary and the user is told so. A
// second Ctrl-C ends the program as usual.
class InterruptRequest
{
public:
    InterruptRequest();
    ~InterruptRequest();
    InterruptRequest(const InterruptRequest&) = delete;
    InterruptRequest& operator=(const InterruptRequest&) = delete;

    static bool Requested();
};

} // namespace cli
