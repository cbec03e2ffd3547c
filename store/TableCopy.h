#pragma once

#include "store/ado/Recordset.h"
#include "store/engine/DatabaseEngine.h"

#include <string>

class CADODataBase;

namespace store {

// Creates the table `name` in the open database `target` with the columns of
// the open rows `source`, each declared as its own engine declares it (so
// that it reads back as the same kind of value, as near as the target
// allows), and appends every row of `source` in order. Runs inside the
// caller's transaction, if any. Raises ado::_com_error.
void CopyTable(ado::Recordset& source, const std::string& name, CADODataBase& target);

// Appends every row of `source` to the existing table `name` of `target`,
// each value to the column of the same name. Raises ado::_com_error.
void AppendRows(ado::Recordset& source, const std::string& name, CADODataBase& target);

// As CopyTable, from the table `name` of `source` row by row as the engine
// streams it (a large Access table is never held whole). `also`, when set,
// sees the columns once the new table exists and each row once it is
// stored. Raises ado::_com_error; the caller's transaction undoes a part copy.
void StreamTableCopy(DatabaseEngine& source, const std::string& name, DatabaseEngine& target,
                     const RowSink& also = {});

// As AppendRows, from the table `name` of `source` row by row into the
// existing table of the same name in `target`.
void StreamRowsInto(DatabaseEngine& source, const std::string& name, DatabaseEngine& target);

} // namespace store
