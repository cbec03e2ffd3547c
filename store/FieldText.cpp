#include "store/FieldText.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

namespace store {

namespace {
std::string Gcvt(double value, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return buf;
}

std::optional<int> WholeInt32(double value)
{
    if (!std::isfinite(value) || value != std::trunc(value) || value < INT32_MIN ||
        value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<int> IntegerOf(const ado::Variant& value)
{
    switch (value.vt()) {
    case ado::VT_EMPTY:
    case ado::VT_NULL:
        return 0;
    case ado::VT_I4:
    case ado::VT_INT:
        return value.lVal();
    case ado::VT_I2:
        return value.iVal();
    case ado::VT_UI1:
        return value.bVal();
    case ado::VT_BOOL:
        return value.boolVal() == ado::VARIANT_TRUE ? -1 : 0;
    case ado::VT_UI4:
        return WholeInt32(static_cast<double>(value.ulVal()));
    case ado::VT_R4:
        return WholeInt32(static_cast<double>(value.fltVal()));
    case ado::VT_R8:
        return WholeInt32(value.dblVal());
    case ado::VT_DECIMAL:
        return WholeInt32(value.decVal().ToDouble());
    default:
        return std::nullopt;
    }
}

// The text of a value by its kind; nothing for kinds with no text form.
std::optional<std::string> TextOf(const ado::Variant& value, const std::string& dateFormat)
{
    switch (value.vt()) {
    case ado::VT_EMPTY:
    case ado::VT_NULL:
        return std::string();
    case ado::VT_I2:
        return std::to_string(value.iVal());
    case ado::VT_UI1:
        return std::to_string(value.bVal());
    case ado::VT_I4:
    case ado::VT_INT:
        return std::to_string(value.lVal());
    case ado::VT_UI4:
        return std::to_string(value.ulVal());
    case ado::VT_R4:
        return Gcvt(static_cast<double>(value.fltVal()), 10);
    case ado::VT_R8:
        return Gcvt(value.dblVal(), 20);
    case ado::VT_DECIMAL:
        return Gcvt(value.decVal().ToDouble(), 20);
    case ado::VT_DATE:
        if (!ado::IsAutomationDate(value.date()))
            return std::nullopt; // no day of any calendar year
        return ado::FormatDate(value.date(), dateFormat);
    case ado::VT_BSTR:
        return value.bstrVal();
    case ado::VT_BOOL:
        return std::string(1, value.boolVal() == ado::VARIANT_TRUE ? 'T' : 'F');
    default:
        return std::nullopt;
    }
}
} // namespace

bool FieldToInteger(const ado::Variant& value, int& out)
{
    const std::optional<int> number = IntegerOf(value);
    if (!number)
        return false;
    out = *number;
    return true;
}

bool FieldToText(const ado::Variant& value, const std::string& dateFormat, std::string& out)
{
    std::optional<std::string> text = TextOf(value, dateFormat);
    if (!text)
        return false;
    out = std::move(*text);
    return true;
}

} // namespace store
