#include "store/ComError.h"

#include <cstdio>

namespace ado {

namespace {
struct KnownCode
{
    HRESULT code;
    const char* text;
};

// The few system codes for which Windows has a message text; every other code
// takes one of the generic forms below, as it does there.
constexpr KnownCode kKnownCodes[] = {
    {E_NOTIMPL, "Not implemented"},
    {E_POINTER, "Invalid pointer"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_ACCESSDENIED, "Access is denied."},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {E_INVALIDARG, "The parameter is incorrect."},
    {DISP_E_TYPEMISMATCH, "Type mismatch."},
};
} // namespace

std::string ErrorMessage(HRESULT code)
{
    for (const KnownCode& known : kKnownCodes)
        if (known.code == code)
            return known.text;
    const auto bits = static_cast<std::uint32_t>(code);
    char buf[64];
    const std::uint32_t low = bits & 0xFFFF;
    if ((bits >> 16) == 0x8004 && low >= 0x0201)
        std::snprintf(buf, sizeof buf, "IDispatch error #%d", static_cast<int>(low) - 0x0200);
    else
        std::snprintf(buf, sizeof buf, "Unknown error 0x%0lX", static_cast<unsigned long>(bits));
    return buf;
}

} // namespace ado
