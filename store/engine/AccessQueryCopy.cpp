#include "store/engine/AccessQueryCopy.h"

#include "store/SqlQuoting.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace store {

namespace {
bool IsWordByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) || c == '_' || c == '$' || byte >= 0x80;
}

// The end of a quoted part that begins at `open`; a doubled closing mark
// stands for itself.
std::size_t QuotedEnd(const std::string& sql, std::size_t open, char close, std::string& content)
{
    std::size_t i = open + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
                content += close;
                i += 2;
                continue;
            }
            return i + 1;
        }
        content += sql[i++];
    }
    return i;
}

std::vector<std::string> NamesIn(const std::string& sql)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        std::string name;
        if (c == '\'') {
            i = QuotedEnd(sql, i, '\'', name);
            continue; // a text, not a name
        }
        if (c == '"' || c == '`' || c == '[') {
            i = QuotedEnd(sql, i, c == '[' ? ']' : c, name);
        } else if (IsWordByte(c)) {
            while (i < sql.size() && IsWordByte(sql[i]))
                name += sql[i++];
        } else {
            ++i;
            continue;
        }
        names.push_back(std::move(name));
    }
    return names;
}
} // namespace

std::vector<std::string> TablesNamedIn(const std::string& sql,
                                       const std::vector<TableEntry>& tables)
{
    std::vector<std::string> named;
    for (const std::string& name : NamesIn(sql)) {
        for (const TableEntry& table : tables) {
            if (strcasecmp(table.name.c_str(), name.c_str()) != 0)
                continue;
            if (std::find(named.begin(), named.end(), table.name) == named.end())
                named.push_back(table.name);
            break;
        }
    }
    return named;
}

void CopyTableInto(DatabaseEngine& target, const std::string& name, const RowSet& rows)
{
    std::string definitions;
    for (const ColumnInfo& column : rows.columns)
        definitions += (definitions.empty() ? "" : ", ") + QuoteIdentifier(column.name) + " " +
                       column.declaredType;
    // The rows fit their widths in Access already; they are not measured again.
    std::vector<ColumnInfo> columns = rows.columns;
    for (ColumnInfo& column : columns)
        column.maxChars = 0;
    const std::vector<bool> every(columns.size(), true);

    target.BeginTransaction();
    try {
        target.Execute("CREATE TABLE " + QuoteIdentifier(name) + " (" + definitions + ")");
        for (const std::vector<ado::Variant>& row : rows.rows)
            target.InsertRow(name, columns, row, every);
        target.CommitTransaction();
    } catch (...) {
        try {
            target.RollbackTransaction();
        } catch (const ado::_com_error&) {
            // the first failure is the one to report
        }
        throw;
    }
}

} // namespace store
