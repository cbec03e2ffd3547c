#include "FieldText.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace store {

namespace {
std::string Gcvt(double value, int digits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    return buf;
}

bool WholeInt32(double value, int& out)
{
    if (!std::isfinite(value) || value != std::trunc(value) || value < INT32_MIN ||
        value > INT32_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}
} // namespace

bool FieldToInteger(const ado::Variant& value, int& out)
{
    switch (value.vt()) {
    case ado::VT_EMPTY:
    case ado::VT_NULL:
        out = 0;
        return true;
    case ado::VT_I4:
    case ado::VT_INT:
        out = value.lVal();
        return true;
    case ado::VT_I2:
        out = value.iVal();
        return true;
    case ado::VT_UI1:
        out = value.bVal();
        return true;
    case ado::VT_BOOL:
        out = value.boolVal() == ado::VARIANT_TRUE ? -1 : 0;
        return true;
    case ado::VT_UI4:
        return WholeInt32(static_cast<double>(value.ulVal()), out);
    case ado::VT_R4:
        return WholeInt32(static_cast<double>(value.fltVal()), out);
    case ado::VT_R8:
        return WholeInt32(value.dblVal(), out);
    case ado::VT_DECIMAL:
        return WholeInt32(value.decVal().ToDouble(), out);
    default:
        return false;
    }
}

bool FieldToText(const ado::Variant& value, const std::string& dateFormat, std::string& out)
{
    switch (value.vt()) {
    case ado::VT_EMPTY:
    case ado::VT_NULL:
        out.clear();
        return true;
    case ado::VT_I2:
        out = std::to_string(value.iVal());
        return true;
    case ado::VT_UI1:
        out = std::to_string(value.bVal());
        return true;
    case ado::VT_I4:
    case ado::VT_INT:
        out = std::to_string(value.lVal());
        return true;
    case ado::VT_UI4:
        out = std::to_string(value.ulVal());
        return true;
    case ado::VT_R4:
        out = Gcvt(static_cast<double>(value.fltVal()), 10);
        return true;
    case ado::VT_R8:
        out = Gcvt(value.dblVal(), 20);
        return true;
    case ado::VT_DECIMAL:
        out = Gcvt(value.decVal().ToDouble(), 20);
        return true;
    case ado::VT_DATE:
        out = ado::FormatDate(value.date(), dateFormat);
        return true;
    case ado::VT_BSTR:
        out = value.bstrVal();
        return true;
    case ado::VT_BOOL:
        out.assign(1, value.boolVal() == ado::VARIANT_TRUE ? 'T' : 'F');
        return true;
    default:
        return false;
    }
}

} // namespace store
