#include "HostCode.h"

#include "DecimalValue.h"

namespace hostlink {

HostCodeInput ReadHostCode(const std::string& text)
{
    if (text.empty())
        return {HostCodeInput::kEmpty, 0};
    const auto value = DecimalValue(text);
    if (!value || *value < kLowestHostCode || *value > kHighestHostCode)
        return {HostCodeInput::kOutOfRange, 0};
    return {HostCodeInput::kValid, *value};
}

} // namespace hostlink
