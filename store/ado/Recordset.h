#pragma once

#include "store/Variant.h"
#include "store/ado/AdoConstants.h"
#include "store/engine/DatabaseEngine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

// ADO's Recordset over rows read whole from the connection's engine when it
// opens; changes go to the engine row by row. Every failure raises _com_error.
class Recordset
{
public:
    static RecordsetPtr Create();
    // A read-only recordset over rows already read (the answer of OpenSchema).
    static RecordsetPtr FromRows(store::RowSet rows);

    // adCmdTable opens a table by name, adCmdText a query; adCmdUnknown opens
    // a bare name as a table, as Jet does, and anything else as a query.
    void Open(const std::string& source, const ConnectionPtr& activeConnection,
              LockTypeEnum lockType, CommandTypeEnum options);
    void Close();
    long State() const;

    bool EndOfFile() const; // ADO's EOF property; the name EOF is taken by <cstdio>
    void MoveNext();
    void MoveFirst();
    long RecordCount() const;

    // Fields by name (case-insensitive, as ADO looks them up).
    Variant GetCollect(const std::string& field) const;
    void PutCollect(const std::string& field, Variant value);
    // The columns of the rows, in their order.
    const std::vector<store::ColumnInfo>& Fields() const;
    Variant GetFieldValue(std::size_t index) const;

    void AddNew();
    void Update();
    void CancelUpdate();

private:
    Recordset() = default;

    void RequireOpen() const;
    void RequireCurrent() const;
    void RequireWritable() const;
    std::size_t FieldIndex(const std::string& field) const;
    void Load(store::RowSet rows, const ConnectionPtr& connection);

    ConnectionPtr connection_;
    std::uint64_t session_ = 0;
    bool open_ = false;
    bool readOnly_ = false;
    store::RowSet rows_; // read whole when opened
    std::size_t position_ = 0;
    EditModeEnum editMode_ = adEditNone;
    std::vector<Variant> pending_;
    std::vector<bool> changed_;
    mutable std::size_t lastField_ = 0; // where FieldIndex found a field last
};

} // namespace ado
