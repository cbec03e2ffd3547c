#pragma once

#include <cstddef>

namespace show {

// Raised out of long work when the user asked it to stop: an outcome of its
// own, not a failure, so no message goes with it. By the time it leaves the
// work every transaction begun has rolled back: nothing has been written.
// It is no std::exception, so that no handler of failures takes it for one.
struct Cancelled
{
};

// How long work (an import, reading or saving a show store, a check) says
// how far it got and learns that it is to stop. The window shows it in a
// progress dialog, watching from its own thread; None() is for callers that
// show nothing and never stop.
class WorkProgress
{
public:
    virtual ~WorkProgress() = default;

    static WorkProgress& None();

    // `done` of `total` records (total 0: not known beforehand). Raises
    // Cancelled once a stop has been asked for.
    virtual void Step(std::size_t done, std::size_t total) = 0;
    // Right before the work commits what it wrote: raises Cancelled when a
    // stop came first; from then on a stop is refused and the work ends as
    // it would have without one.
    virtual void BeforeCommit() = 0;
};

} // namespace show
