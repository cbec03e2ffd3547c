#include "store/engine/AccessColumnTypes.h"

namespace store {

namespace {
using mdbproto::AccessType;

// Text columns hold at most 255 characters in Access.
constexpr std::uint32_t kMaxTextWidth = 255;
constexpr int kGuidChars = 38; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"

ColumnInfo Column(std::string name, ado::VarType type, std::string declared)
{
    ColumnInfo column;
    column.name = std::move(name);
    column.type = type;
    column.declaredType = std::move(declared);
    return column;
}
} // namespace

std::optional<AccessType> AccessTypeOf(std::uint8_t number)
{
    switch (static_cast<AccessType>(number)) {
    case AccessType::Boolean:
    case AccessType::Byte:
    case AccessType::Integer:
    case AccessType::Long:
    case AccessType::Currency:
    case AccessType::Single:
    case AccessType::Double:
    case AccessType::DateTime:
    case AccessType::Binary:
    case AccessType::Text:
    case AccessType::OleObject:
    case AccessType::Memo:
    case AccessType::ReplicationId:
    case AccessType::Numeric:
    case AccessType::Complex:
        return static_cast<AccessType>(number);
    }
    return std::nullopt;
}

ColumnInfo AccessColumn(std::string name, AccessType type, std::uint32_t width, int precision,
                        int scale)
{
    switch (type) {
    case AccessType::Boolean: {
        ColumnInfo column = Column(std::move(name), ado::VT_BOOL, "boolean");
        column.notNull = true; // a Yes/No value is never NULL in Access
        return column;
    }
    case AccessType::Byte:
        return Column(std::move(name), ado::VT_UI1, "byte");
    case AccessType::Integer:
        return Column(std::move(name), ado::VT_I2, "smallint");
    case AccessType::Long:
    case AccessType::Complex:
        return Column(std::move(name), ado::VT_I4, "int");
    case AccessType::Currency:
        return Column(std::move(name), ado::VT_DECIMAL, "currency");
    case AccessType::Numeric:
        return Column(std::move(name), ado::VT_DECIMAL,
                      "numeric(" + std::to_string(precision) + "," + std::to_string(scale) + ")");
    case AccessType::Single:
        return Column(std::move(name), ado::VT_R4, "single");
    case AccessType::Double:
        return Column(std::move(name), ado::VT_R8, "double");
    case AccessType::DateTime:
        return Column(std::move(name), ado::VT_DATE, "datetime");
    case AccessType::Text: {
        const auto chars =
            static_cast<int>(width > 0 && width <= kMaxTextWidth ? width : kMaxTextWidth);
        ColumnInfo column =
            Column(std::move(name), ado::VT_BSTR, "nVarchar(" + std::to_string(chars) + ")");
        column.maxChars = chars;
        return column;
    }
    case AccessType::ReplicationId: {
        ColumnInfo column =
            Column(std::move(name), ado::VT_BSTR, "nVarchar(" + std::to_string(kGuidChars) + ")");
        column.maxChars = kGuidChars;
        return column;
    }
    case AccessType::Memo:
        return Column(std::move(name), ado::VT_BSTR, "memo");
    case AccessType::Binary:
    case AccessType::OleObject:
        break;
    }
    return Column(std::move(name), ado::VT_BLOB_BYTES, "blob");
}

} // namespace store
