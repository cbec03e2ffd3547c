#include "show/HostNameText.h"

namespace show {

std::string TrimHostName(const std::string& text)
{
    static constexpr char kBlanks[] = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

} // namespace show
