#include "show/CueFilter.h"

#include "show/CueRule.h"
#include "show/DecimalValue.h"
#include "show/HostNameRules.h"
#include "show/LaunchTime.h"

#include <algorithm>
#include <cctype>

namespace show {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

CueFilter::CueFilter(const std::string& text) : wanted_(Lower(TrimHostName(text)))
{
    if (const std::optional<std::int32_t> number = ParseWholeNumber(wanted_)) {
        isNumber_ = true;
        number_ = *number;
    }
}

bool CueFilter::Passes(const Cue& cue) const
{
    if (wanted_.empty())
        return true;
    if (Lower(cue.HostName).find(wanted_) != std::string::npos ||
        FormatLaunchTime(cue.BlastTime).find(wanted_) != std::string::npos)
        return true;
    return isNumber_ && (DecimalValue(cue.Addr) == number_ || DecimalValue(cue.Channel) == number_);
}

} // namespace show
