#pragma once

#include "show/Cue.h"

#include <string>

namespace show {

// The filter bar's rule, prepared once per text: a cue passes when the text
// (case ignored, blanks at the ends dropped) is part of its host name or
// launch time text, or, for a number, equals its module ("Sla") or channel
// ("Cue") read as numbers. An empty text passes every cue.
class CueFilter
{
public:
    explicit CueFilter(const std::string& text);

    bool Empty() const { return wanted_.empty(); }
    bool Passes(const Cue& cue) const;

private:
    std::string wanted_; // lower case
    bool isNumber_ = false;
    std::int32_t number_ = 0;
};

} // namespace show
