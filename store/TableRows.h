#pragma once

#include "store/ADORecordset.h"

#include <string>
#include <type_traits>
#include <vector>

class CADODataBase;

namespace store {

// Whether the open database holds a table or view of exactly this name.
// Raises ado::_com_error on a failing call.
bool HasTable(CADODataBase& database, const std::string& name);
// Whether it holds a table, not a view, of exactly this name. Raises the same.
bool HasPlainTable(CADODataBase& database, const std::string& name);

// The access layer's account of a failing call, raised as std::runtime_error.
[[noreturn]] void RaiseAccessError(const std::string& account);

// Every row that `source` opens (in `mode`), each made by `read` from the
// recordset standing on it; none when the store has no table `table`, which
// a store made before the table was needs not hold. Raises like
// RaiseAccessError when the rows cannot be opened, and what `read` raises.
template <typename Read>
auto ReadTableRows(CADODataBase& database, const std::string& table, const std::string& source,
                   OpenMode mode, Read read)
    -> std::vector<std::invoke_result_t<Read&, CADORecordset&>>
{
    std::vector<std::invoke_result_t<Read&, CADORecordset&>> rows;
    if (!HasTable(database, table))
        return rows;
    CADORecordset rs(&database);
    if (!rs.Open(source, mode))
        RaiseAccessError(rs.GetLastErrorText());
    for (const ado::RecordsetPtr records = rs.GetRecordset(); !records->EndOfFile();
         records->MoveNext())
        rows.push_back(read(rs));
    rs.Close();
    return rows;
}

} // namespace store
