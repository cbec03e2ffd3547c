#include "tests/store/jetgen/Jet4Encoding.h"

#include <bit>
#include <stdexcept>
#include <utility>
#include <vector>

namespace jetgen {

void PutLe(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void SetLe(std::string& out, std::size_t at, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe(const std::string& in, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= std::uint32_t{static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)])}
                 << (8 * i);
    return value;
}

void Misfit(const Column& column, const std::string& why)
{
    throw std::invalid_argument("column '" + column.name + "': " + why);
}

namespace {
std::vector<std::uint16_t> Units(std::string_view utf8)
{
    std::vector<std::uint16_t> units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            units.push_back(static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(code));
        }
    }
    return units;
}

std::string Utf16Of(const std::vector<std::uint16_t>& units)
{
    std::string bytes;
    for (const std::uint16_t unit : units)
        PutLe(bytes, unit, 2);
    return bytes;
}
} // namespace

std::string Utf16(std::string_view utf8)
{
    return Utf16Of(Units(utf8));
}

std::string StoredText(std::string_view utf8, bool compress)
{
    const std::vector<std::uint16_t> units = Units(utf8);
    std::string plain = Utf16Of(units);
    if (!compress)
        return plain;
    std::string packed = "\xFF\xFE";
    bool oneByte = true;
    for (const std::uint16_t unit : units) {
        if ((unit & 0xFF) == 0) // its first byte would read as a switch
            return plain;
        if ((unit < 0x100) != oneByte) {
            packed.push_back('\0');
            oneByte = !oneByte;
        }
        PutLe(packed, unit, oneByte ? 1 : 2);
    }
    return packed.size() < plain.size() ? packed : plain;
}

int FixedSize(Type type)
{
    // The bytes a fixed-size value takes in a row; texts and long values
    // have none.
    static constexpr std::pair<Type, int> kSizes[] = {
        {Type::Boolean, 0}, {Type::Byte, 1},     {Type::Integer, 2}, {Type::Long, 4},
        {Type::Single, 4},  {Type::Currency, 8}, {Type::Double, 8},  {Type::DateTime, 8},
        {Type::Guid, 16},   {Type::Numeric, 17},
    };
    for (const auto& [kind, size] : kSizes)
        if (kind == type)
            return size;
    return -1;
}

std::string FixedValue(const Column& column, const Value& value)
{
    std::string out;
    const int size = FixedSize(column.type);
    if (std::holds_alternative<std::monostate>(value)) {
        out.assign(static_cast<std::size_t>(size), '\0');
    } else if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        if (column.type == Type::Single || column.type == Type::Double ||
            column.type == Type::DateTime || size < 1 || size > 8)
            Misfit(column, "an integer for a column of another kind");
        PutLe(out, static_cast<std::uint64_t>(*integer), size);
    } else if (const auto* real = std::get_if<double>(&value)) {
        if (column.type == Type::Single)
            PutLe(out, std::bit_cast<std::uint32_t>(static_cast<float>(*real)), 4);
        else if (column.type == Type::Double || column.type == Type::DateTime)
            PutLe(out, std::bit_cast<std::uint64_t>(*real), 8);
        else
            Misfit(column, "a floating-point number for a column of another kind");
    } else if (const auto* decimal = std::get_if<Decimal>(&value)) {
        if (column.type != Type::Numeric)
            Misfit(column, "a decimal for a column of another kind");
        // A sign byte, then four 32-bit words, most significant first.
        out.push_back(decimal->negative ? '\x80' : '\0');
        PutLe(out, 0, 4);
        PutLe(out, decimal->high, 4);
        PutLe(out, decimal->low >> 32, 4);
        PutLe(out, decimal->low & 0xFFFFFFFF, 4);
    } else if (const auto* bytes = std::get_if<std::string>(&value)) {
        if (column.type != Type::Guid || bytes->size() != 16)
            Misfit(column, "bytes for a column that is no GUID, or not 16 of them");
        out = *bytes;
    } else {
        Misfit(column, "a yes/no value for a column of another kind");
    }
    return out;
}

} // namespace jetgen
