#include "store/Variant.h"

#include <algorithm>
#include <chrono>
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

// Automation dates count days from this one.
constexpr std::chrono::sys_days kOleEpoch{std::chrono::year{1899} / std::chrono::December / 30};

// A day past the end of its month runs on into the next, as automation dates do.
std::chrono::sys_days DayOf(const DateParts& p)
{
    using namespace std::chrono;
    return sys_days{year{p.year} / month{static_cast<unsigned>(p.month)} / 1} + days{p.day - 1};
}
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

const std::string& Variant::bstrVal() const
{
    static const std::string kNone;
    const std::string* held = std::get_if<std::string>(&payload_);
    return held ? *held : kNone;
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
        return std::to_string(iVal());
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
        return std::to_string(lVal());
    case VT_UI1:
        return std::to_string(bVal());
    case VT_UI4:
        return std::to_string(ulVal());
    case VT_R4:
        std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(fltVal()));
        return buf;
    case VT_R8:
        std::snprintf(buf, sizeof buf, "%.17g", dblVal());
        return buf;
    case VT_DATE:
        return FormatDate(date(), "");
    case VT_DECIMAL:
        return decVal().ToText();
    case VT_BSTR:
        return bstrVal();
    default:
        return "(" + std::to_string(bstrVal().size()) + " bytes)";
    }
}

namespace {
constexpr double kFirstOleDate = -657434.0;                          // 0100-01-01
constexpr double kEndOfOleDates = 2958466.0;                         // 10000-01-01
constexpr double kLastOleDate = 2958465.0 + 86399999.0 / 86400000.0; // its last millisecond
} // namespace

bool IsAutomationDate(double oleDate)
{
    return oleDate >= kFirstOleDate && oleDate < kEndOfOleDates;
}

DateParts OleDateToParts(double oleDate)
{
    using namespace std::chrono;
    if (!IsAutomationDate(oleDate)) // the day count must fit its type
        oleDate = std::isnan(oleDate) ? 0.0 : std::clamp(oleDate, kFirstOleDate, kLastOleDate);
    // The whole part counts days from the epoch; the fraction is the time of
    // day whatever the sign (automation dates before 1899-12-30 are odd so).
    const double wholeDays = std::trunc(oleDate);
    milliseconds timeOfDay{std::llround(std::fabs(oleDate - wholeDays) * 86400000.0)};
    days dayCount{static_cast<long long>(wholeDays)};
    if (timeOfDay >= days{1}) {
        timeOfDay -= days{1};
        dayCount += days{oleDate < 0 ? -1 : 1};
    }
    const year_month_day date{kOleEpoch + dayCount};
    const hh_mm_ss time{timeOfDay};
    DateParts p;
    p.year = static_cast<int>(date.year());
    p.month = static_cast<int>(static_cast<unsigned>(date.month()));
    p.day = static_cast<int>(static_cast<unsigned>(date.day()));
    p.hour = static_cast<int>(time.hours().count());
    p.minute = static_cast<int>(time.minutes().count());
    p.second = static_cast<int>(time.seconds().count());
    p.millisecond = static_cast<int>(time.subseconds().count());
    return p;
}

double PartsToOleDate(const DateParts& p)
{
    const long long days = (DayOf(p) - kOleEpoch).count();
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
    const std::chrono::sys_days day = DayOf(p);
    tm.tm_wday = static_cast<int>(std::chrono::weekday{day}.c_encoding());
    tm.tm_yday = static_cast<int>(
        (day - std::chrono::sys_days{std::chrono::year{p.year} / std::chrono::January / 1})
            .count());
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
