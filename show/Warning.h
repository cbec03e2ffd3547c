#pragma once

#include "show/Failure.h"

#include <utility>

namespace show {

// Something that went wrong beside a result that stands (what a host was
// sent could not be recorded, but the host holds it): said to the user and
// never raised. It carries the failure's facts, from which its text is made.
class Warning
{
public:
    explicit Warning(Failure facts) : facts_(std::move(facts)) {}
    const Failure& Facts() const { return facts_; }

private:
    Failure facts_;
};

} // namespace show
