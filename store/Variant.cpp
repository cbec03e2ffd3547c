#include "Variant.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace ado {

namespace {
__extension__ typedef unsigned __int128 uint128;

constexpr uint128 kMax96 = (static_cast<uint128>(1) << 96) - 1;

uint128 Mantissa(const Decimal& d)
{
    return (static_cast<uint128>(d.hi32) << 64) | d.lo64;
}

void SetMantissa(Decimal& d, uint128 m)
{
    d.hi32 = static_cast<std::uint32_t>(m >> 64);
    d.lo64 = static_cast<std::uint64_t>(m);
}

// Days from 1970-01-01 for a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);
} // namespace

double Decimal::ToDouble() const
{
    double value = static_cast<double>(Mantissa(*this));
    value /= std::pow(10.0, scale);
    return (sign & 0x80) ? -value : value;
}

bool Decimal::FromText(const std::string& text, Decimal& out)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    Decimal d;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            d.sign = 0x80;
        ++i;
    }
    uint128 m = 0;
    int digits = 0;
    int scale = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (m > (kMax96 - 9) / 10 || scale >= 28) {
            // Beyond 96 bits or 28 places: drop the extra fractional digits,
            // refuse extra integral ones.
            if (!point)
                return false;
            continue;
        }
        m = m * 10 + static_cast<unsigned>(c - '0');
        ++digits;
        if (point)
            ++scale;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (digits == 0 || i != text.size())
        return false;
    SetMantissa(d, m);
    d.scale = static_cast<std::uint8_t>(scale);
    if (m == 0)
        d.sign = 0;
    out = d;
    return true;
}

Decimal Decimal::FromDouble(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    Decimal d;
    if (!FromText(buf, d)) {
        // Exponent form or out of range: keep what a fixed form gives.
        std::snprintf(buf, sizeof buf, "%.6f", value);
        FromText(buf, d);
    }
    return d;
}

std::string Decimal::ToText() const
{
    uint128 m = Mantissa(*this);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    if (scale > 0) {
        while (digits.size() <= scale)
            digits.insert(digits.begin(), '0');
        digits.insert(digits.end() - scale, '.');
    }
    if ((sign & 0x80) && Mantissa(*this) != 0)
        digits.insert(digits.begin(), '-');
    return digits;
}

Variant Variant::Null()
{
    Variant v;
    v.vt_ = VT_NULL;
    return v;
}

Variant Variant::Missing()
{
    Variant v;
    v.vt_ = VT_ERROR;
    v.v_.i4 = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant Variant::I2(std::int16_t x)
{
    Variant v;
    v.vt_ = VT_I2;
    v.v_.i2 = x;
    return v;
}

Variant Variant::I4(std::int32_t x)
{
    Variant v;
    v.vt_ = VT_I4;
    v.v_.i4 = x;
    return v;
}

Variant Variant::Int(std::int32_t x)
{
    Variant v;
    v.vt_ = VT_INT;
    v.v_.i4 = x;
    return v;
}

Variant Variant::UI1(std::uint8_t x)
{
    Variant v;
    v.vt_ = VT_UI1;
    v.v_.ui1 = x;
    return v;
}

Variant Variant::UI4(std::uint32_t x)
{
    Variant v;
    v.vt_ = VT_UI4;
    v.v_.ui4 = x;
    return v;
}

Variant Variant::R4(float x)
{
    Variant v;
    v.vt_ = VT_R4;
    v.v_.r4 = x;
    return v;
}

Variant Variant::R8(double x)
{
    Variant v;
    v.vt_ = VT_R8;
    v.v_.r8 = x;
    return v;
}

Variant Variant::Date(double oleDate)
{
    Variant v;
    v.vt_ = VT_DATE;
    v.v_.r8 = oleDate;
    return v;
}

Variant Variant::Bool(bool x)
{
    Variant v;
    v.vt_ = VT_BOOL;
    v.v_.i2 = x ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::Bstr(std::string text)
{
    Variant v;
    v.vt_ = VT_BSTR;
    v.text_ = std::move(text);
    return v;
}

Variant Variant::Dec(const Decimal& d)
{
    Variant v;
    v.vt_ = VT_DECIMAL;
    v.dec_ = d;
    return v;
}

Variant Variant::Bytes(std::string bytes)
{
    Variant v;
    v.vt_ = VT_BLOB_BYTES;
    v.text_ = std::move(bytes);
    return v;
}

std::string Variant::Describe() const
{
    char buf[64];
    switch (vt_) {
    case VT_EMPTY:
        return "(empty)";
    case VT_NULL:
        return "NULL";
    case VT_I2:
    case VT_BOOL:
        return std::to_string(v_.i2);
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
        return std::to_string(v_.i4);
    case VT_UI1:
        return std::to_string(v_.ui1);
    case VT_UI4:
        return std::to_string(v_.ui4);
    case VT_R4:
        std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v_.r4));
        return buf;
    case VT_R8:
        std::snprintf(buf, sizeof buf, "%.17g", v_.r8);
        return buf;
    case VT_DATE:
        return FormatDate(v_.r8, "");
    case VT_DECIMAL:
        return dec_.ToText();
    case VT_BSTR:
        return text_;
    default:
        return "(" + std::to_string(text_.size()) + " bytes)";
    }
}

bool operator==(const Variant& a, const Variant& b)
{
    if (a.vt_ != b.vt_)
        return false;
    switch (a.vt_) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
    case VT_BOOL:
        return a.v_.i2 == b.v_.i2;
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
        return a.v_.i4 == b.v_.i4;
    case VT_UI1:
        return a.v_.ui1 == b.v_.ui1;
    case VT_UI4:
        return a.v_.ui4 == b.v_.ui4;
    case VT_R4:
        return a.v_.r4 == b.v_.r4;
    case VT_R8:
    case VT_DATE:
        return a.v_.r8 == b.v_.r8;
    case VT_DECIMAL:
        return a.dec_ == b.dec_;
    default:
        return a.text_ == b.text_;
    }
}

DateParts OleDateToParts(double oleDate)
{
    // The whole part counts days from the epoch; the fraction is the time of
    // day whatever the sign (automation dates before 1899-12-30 are odd so).
    const double wholeDays = std::trunc(oleDate);
    long long msOfDay = std::llround(std::fabs(oleDate - wholeDays) * 86400000.0);
    long long days = static_cast<long long>(wholeDays);
    if (msOfDay >= 86400000) {
        msOfDay -= 86400000;
        days += oleDate < 0 ? -1 : 1;
    }
    DateParts p;
    CivilFromDays(kOleEpochDays + days, p.year, p.month, p.day);
    p.hour = static_cast<int>(msOfDay / 3600000);
    p.minute = static_cast<int>(msOfDay / 60000 % 60);
    p.second = static_cast<int>(msOfDay / 1000 % 60);
    p.millisecond = static_cast<int>(msOfDay % 1000);
    return p;
}

double PartsToOleDate(const DateParts& p)
{
    const long long days =
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
        kOleEpochDays;
    const double fraction =
        ((p.hour * 60.0 + p.minute) * 60.0 + p.second + p.millisecond / 1000.0) / 86400.0;
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

bool ParseDateText(const std::string& text, double& oleDate)
{
    DateParts p;
    int consumed = 0;
    char sep = ' ';
    int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &p.year, &p.month, &p.day, &consumed);
    if (n != 3)
        return false;
    std::size_t pos = static_cast<std::size_t>(consumed);
    if (pos < text.size()) {
        int used = 0;
        n = std::sscanf(text.c_str() + pos, "%c%2d:%2d%n", &sep, &p.hour, &p.minute, &used);
        if (n != 3 || (sep != ' ' && sep != 'T'))
            return false;
        pos += static_cast<std::size_t>(used);
        if (pos < text.size() && text[pos] == ':') {
            n = std::sscanf(text.c_str() + pos, ":%2d%n", &p.second, &used);
            if (n != 1)
                return false;
            pos += static_cast<std::size_t>(used);
            if (pos < text.size() && text[pos] == '.') {
                ++pos;
                int scaleDigits = 0;
                int ms = 0;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                    if (scaleDigits < 3) {
                        ms = ms * 10 + (text[pos] - '0');
                        ++scaleDigits;
                    }
                    ++pos;
                }
                while (scaleDigits++ < 3)
                    ms *= 10;
                p.millisecond = ms;
            }
        }
    }
    if (pos != text.size())
        return false;
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > 31 || p.hour > 23 || p.minute > 59 ||
        p.second > 59)
        return false;
    oleDate = PartsToOleDate(p);
    return true;
}

std::string FormatDate(double oleDate, const std::string& format)
{
    const DateParts p = OleDateToParts(oleDate);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    const long long days =
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day));
    tm.tm_wday = static_cast<int>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    tm.tm_yday = static_cast<int>(days - DaysFromCivil(p.year, 1, 1));
    const std::string& fmt = format.empty() ? std::string("%Y-%m-%d %H:%M:%S") : format;
    std::vector<char> buf(64 + fmt.size() * 8);
    // The format is the caller's by design (a date format argument).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const std::size_t n = std::strftime(buf.data(), buf.size(), fmt.c_str(), &tm);
#pragma GCC diagnostic pop
    return std::string(buf.data(), n);
}

std::size_t Utf8Length(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace ado
