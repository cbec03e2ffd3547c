#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace ado {

// The kinds of value a field can hold, numbered as OLE Automation numbers them
// so that error texts and stored files line up with what the Windows build
// sees.
enum VarType : std::uint16_t
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_DECIMAL = 14,
    VT_UI1 = 17,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_ARRAY = 0x2000,
    VT_BLOB_BYTES = VT_ARRAY | VT_UI1, // a byte array (binary and OLE columns)
};

inline constexpr std::int16_t VARIANT_TRUE = -1;
inline constexpr std::int16_t VARIANT_FALSE = 0;
inline constexpr std::int32_t DISP_E_PARAMNOTFOUND = static_cast<std::int32_t>(0x80020004);

// A 96-bit scaled decimal, laid out as the automation DECIMAL.
struct Decimal
{
    std::uint8_t scale = 0; // powers of ten to divide by, 0..28
    std::uint8_t sign = 0;  // 0x80 for negative
    std::uint32_t hi32 = 0;
    std::uint64_t lo64 = 0;

    double ToDouble() const;
    // Parses "-123.4500" style text; false when the text is not a decimal number.
    static bool FromText(const std::string& text, Decimal& out);
    static Decimal FromDouble(double value);
    std::string ToText() const;
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// One field value. Texts are UTF-8; a date is an automation date (days since
// 1899-12-30, the fraction the time of day). The type tells the kinds apart
// that share a payload (VT_I4 and VT_INT, VT_R8 and VT_DATE, ...); asked for
// a payload it does not hold, a value answers zero or empty.
class Variant
{
public:
    Variant() = default;

    static Variant Null() { return {VT_NULL, {}}; }
    static Variant Missing() { return {VT_ERROR, DISP_E_PARAMNOTFOUND}; }
    static Variant I2(std::int16_t v) { return {VT_I2, v}; }
    static Variant I4(std::int32_t v) { return {VT_I4, v}; }
    static Variant Int(std::int32_t v) { return {VT_INT, v}; }
    static Variant UI1(std::uint8_t v) { return {VT_UI1, v}; }
    static Variant UI4(std::uint32_t v) { return {VT_UI4, v}; }
    static Variant R4(float v) { return {VT_R4, v}; }
    static Variant R8(double v) { return {VT_R8, v}; }
    static Variant Date(double oleDate) { return {VT_DATE, oleDate}; }
    static Variant Bool(bool v) { return {VT_BOOL, v ? VARIANT_TRUE : VARIANT_FALSE}; }
    static Variant Bstr(std::string text) { return {VT_BSTR, std::move(text)}; }
    static Variant Dec(const Decimal& d) { return {VT_DECIMAL, d}; }
    static Variant Bytes(std::string bytes) { return {VT_BLOB_BYTES, std::move(bytes)}; }

    VarType vt() const { return vt_; }
    bool IsNull() const { return vt_ == VT_NULL; }
    bool IsEmptyOrNull() const { return vt_ == VT_EMPTY || vt_ == VT_NULL; }

    std::int16_t iVal() const { return Get<std::int16_t>(); }
    std::int32_t lVal() const { return Get<std::int32_t>(); }
    std::uint8_t bVal() const { return Get<std::uint8_t>(); }
    std::uint32_t ulVal() const { return Get<std::uint32_t>(); }
    float fltVal() const { return Get<float>(); }
    double dblVal() const { return Get<double>(); }
    double date() const { return Get<double>(); }
    std::int16_t boolVal() const { return Get<std::int16_t>(); }
    std::int32_t scode() const { return Get<std::int32_t>(); }
    Decimal decVal() const { return Get<Decimal>(); }
    // The text of VT_BSTR, the bytes of VT_BLOB_BYTES.
    const std::string& bstrVal() const;

    // A text that shows the value, for diagnostics and for copying between
    // engines; not the conversion that reading a field as text performs.
    std::string Describe() const;

    friend bool operator==(const Variant& a, const Variant& b) = default;

private:
    using Payload = std::variant<std::monostate, std::int16_t, std::int32_t, std::uint8_t,
                                 std::uint32_t, float, double, Decimal, std::string>;
    Variant(VarType vt, Payload payload) : vt_(vt), payload_(std::move(payload)) {}

    template <typename T> T Get() const
    {
        const T* held = std::get_if<T>(&payload_);
        return held ? *held : T{};
    }

    VarType vt_ = VT_EMPTY;
    Payload payload_;
};

// Automation dates to and from calendar fields. Milliseconds are rounded.
struct DateParts
{
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0, millisecond = 0;
};
// Whether a date lies within 0100-01-01 and 9999-12-31, the years an
// automation date can hold; another program's store may hold any number.
bool IsAutomationDate(double oleDate);
// One outside those years is taken as the nearest of them.
DateParts OleDateToParts(double oleDate);
double PartsToOleDate(const DateParts& parts);
// "YYYY-MM-DD[ HH:MM[:SS[.fff]]]" (or with a 'T'); false when it is not one.
bool ParseDateText(const std::string& text, double& oleDate);
std::string FormatDate(double oleDate, const std::string& format);

// Number of characters (code points) in a UTF-8 text.
std::size_t Utf8Length(const std::string& text);

} // namespace ado
