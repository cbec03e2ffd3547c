#include "show/WorkProgress.h"

namespace show {

namespace {

class NoProgress final : public WorkProgress
{
public:
    void Step(std::size_t, std::size_t) override {}
    void BeforeCommit() override {}
};

} // namespace

WorkProgress& WorkProgress::None()
{
    static NoProgress none;
    return none;
}

} // namespace show
