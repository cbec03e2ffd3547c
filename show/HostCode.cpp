#include "show/HostCode.h"

#include "show/DecimalValue.h"

namespace show {

HostCodeInput ReadHostCode(const std::string& text)
{
    if (text.empty())
        return {HostCodeInput::kEmpty, 0};
    const auto value = DecimalValue(text);
    if (!value || *value < kLowestHostCode || *value > kHighestHostCode)
        return {HostCodeInput::kOutOfRange, 0};
    return {HostCodeInput::kValid, *value};
}

} // namespace show
