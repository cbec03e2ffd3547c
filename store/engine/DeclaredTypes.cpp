#include "store/engine/DatabaseEngine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace store {

namespace {
std::string BaseName(const std::string& declared)
{
    std::string base = declared.substr(0, declared.find('('));
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto first = base.find_first_not_of(" \t");
    const auto last = base.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : base.substr(first, last - first + 1);
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}
} // namespace

ado::VarType VarTypeForDeclaredType(const std::string& declared)
{
    const std::string name = BaseName(declared);
    if (OneOf(name, {"int", "integer", "long", "counter", "autoincrement", "mediumint", "int4",
                     "long integer", "bigint", "int8"}))
        return ado::VT_I4;
    if (OneOf(name, {"smallint", "short", "int2", "integer2"}))
        return ado::VT_I2;
    if (OneOf(name, {"tinyint", "byte"}))
        return ado::VT_UI1;
    if (OneOf(name, {"bit", "bool", "boolean", "yesno", "logical"}))
        return ado::VT_BOOL;
    if (OneOf(name, {"single", "float4", "real4"}))
        return ado::VT_R4;
    if (OneOf(name, {"double", "float", "float8", "double precision", "real"}))
        return ado::VT_R8;
    if (OneOf(name, {"decimal", "numeric", "currency", "money"}))
        return ado::VT_DECIMAL;
    if (OneOf(name, {"date", "time", "datetime", "timestamp"}))
        return ado::VT_DATE;
    if (OneOf(name, {"blob", "binary", "varbinary", "image", "longbinary", "ole", "oleobject"}))
        return ado::VT_BLOB_BYTES;
    if (name.empty())
        return ado::VT_EMPTY;
    // Anything else by SQLite's own affinity rules.
    if (name.find("int") != std::string::npos)
        return ado::VT_I4;
    if (name.find("char") != std::string::npos || name.find("clob") != std::string::npos ||
        name.find("text") != std::string::npos || name.find("memo") != std::string::npos ||
        name.find("string") != std::string::npos)
        return ado::VT_BSTR;
    if (name.find("real") != std::string::npos || name.find("floa") != std::string::npos ||
        name.find("doub") != std::string::npos)
        return ado::VT_R8;
    return ado::VT_EMPTY;
}

int DeclaredTextWidth(const std::string& declared)
{
    if (VarTypeForDeclaredType(declared) != ado::VT_BSTR)
        return 0;
    const auto open = declared.find('(');
    if (open == std::string::npos)
        return 0;
    const long width = std::strtol(declared.c_str() + open + 1, nullptr, 10);
    return width > 0 && width < 1 << 30 ? static_cast<int>(width) : 0;
}

} // namespace store
