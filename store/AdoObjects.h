#pragma once

#include "ComError.h"
#include "Variant.h"
#include "engine/DatabaseEngine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The ADO objects that the access layer forwards to, and that it hands out to
// callers for the operations it does not wrap. Every failure raises
// ado::_com_error.
namespace ado {

enum ObjectStateEnum : long
{
    adStateClosed = 0,
    adStateOpen = 1
};
enum SchemaEnum : long
{
    adSchemaTables = 20
};
enum CursorTypeEnum : long
{
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockTypeEnum : long
{
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum CommandTypeEnum : long
{
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8
};
enum CursorLocationEnum : long
{
    adUseServer = 2,
    adUseClient = 3
};
enum ExecuteOptionEnum : long
{
    adExecuteNoRecords = 128
};
enum EditModeEnum : long
{
    adEditNone = 0,
    adEditInProgress = 1,
    adEditAdd = 2
};

inline constexpr HRESULT adErrInvalidConnection = MakeHresult(0x800A0E7D);

class Connection;
class Recordset;
class Command;
using ConnectionPtr = std::shared_ptr<Connection>;
using RecordsetPtr = std::shared_ptr<Recordset>;
using CommandPtr = std::shared_ptr<Command>;

// The file path that follows "Data Source=" in a connection text.
std::string DataSourceOf(const std::string& connectionString);

class Connection
{
public:
    static ConnectionPtr Create();

    void Open(const std::string& connectionString, const std::string& userId,
              const std::string& password, long options);
    // Creates a new SQLite file at the connection text's data source and
    // opens it; an existing file is refused, never replaced.
    void Create(const std::string& connectionString);
    void Close();
    long State() const { return engine_ ? adStateOpen : adStateClosed; }
    // Whether the open file's format can be read but never written (Access).
    bool IsReadOnlyFormat();
    RecordsetPtr Execute(const std::string& commandText, long* recordsAffected, long options);
    RecordsetPtr OpenSchema(SchemaEnum schema, const Variant& restrictions = Variant::Missing(),
                            const Variant& schemaId = Variant::Missing());
    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    CursorLocationEnum GetCursorLocation() const { return cursorLocation_; }
    void PutCursorLocation(CursorLocationEnum location) { cursorLocation_ = location; }
    const std::string& GetConnectionString() const { return connectionString_; }

    // For the recordsets opened on this connection.
    store::DatabaseEngine& Engine();
    std::uint64_t Session() const { return session_; }

private:
    Connection() = default;

    std::unique_ptr<store::DatabaseEngine> engine_;
    std::string connectionString_;
    CursorLocationEnum cursorLocation_ = adUseServer;
    long transactionLevel_ = 0;
    std::uint64_t session_ = 0; // changes whenever the connection opens or closes
};

class Recordset
{
public:
    static RecordsetPtr Create();
    // A recordset over rows already read (the answer of OpenSchema, say).
    static RecordsetPtr FromRows(store::RowSet rows, const ConnectionPtr& connection);

    void Open(const std::string& source, const ConnectionPtr& activeConnection,
              CursorTypeEnum cursorType, LockTypeEnum lockType, long options);
    void Close();
    long State() const;

    bool EndOfFile() const; // ADO's EOF property; the name EOF is taken by <cstdio>
    bool BOF() const;
    void MoveNext();
    void MoveFirst();
    long RecordCount() const;

    // Fields by name (case-insensitive, as ADO looks them up).
    Variant GetCollect(const std::string& field) const;
    void PutCollect(const std::string& field, const Variant& value);
    Variant GetFieldValue(const std::string& field) const { return GetCollect(field); }
    void PutFieldValue(const std::string& field, const Variant& value) { PutCollect(field, value); }
    // The columns of the rows, in their order.
    const std::vector<store::ColumnInfo>& Fields() const;
    Variant GetFieldValue(std::size_t index) const;

    void AddNew();
    void Update();
    void CancelUpdate();
    EditModeEnum GetEditMode() const { return editMode_; }

    // "Field [ASC|DESC], ..."; the empty text restores the order as read.
    void PutSort(const std::string& sort);
    const std::string& GetSort() const { return sort_; }

    CursorTypeEnum GetCursorType() const { return cursorType_; }
    void PutCursorType(CursorTypeEnum type) { cursorType_ = type; }
    CursorLocationEnum GetCursorLocation() const { return cursorLocation_; }
    void PutCursorLocation(CursorLocationEnum location) { cursorLocation_ = location; }

private:
    Recordset() = default;

    void RequireOpen() const;
    void RequireCurrent() const;
    void RequireWritable() const;
    std::size_t FieldIndex(const std::string& field) const;
    std::size_t RowAt(std::size_t position) const;
    void Load(store::RowSet rows, const ConnectionPtr& connection);
    void ApplySort();

    ConnectionPtr connection_;
    std::uint64_t session_ = 0;
    bool open_ = false;
    bool readOnly_ = false;
    store::RowSet rows_;             // read whole when opened
    std::vector<std::size_t> order_; // empty: rows in the order read
    std::size_t position_ = 0;
    EditModeEnum editMode_ = adEditNone;
    std::vector<Variant> pending_;
    std::vector<bool> changed_;
    std::string sort_;
    CursorTypeEnum cursorType_ = adOpenForwardOnly;
    CursorLocationEnum cursorLocation_ = adUseServer;
};

// Only what stored procedures need; the show store has none.
class Command
{
public:
    static CommandPtr Create();
    void PutActiveConnection(const ConnectionPtr& connection) { connection_ = connection; }
    void PutCommandText(const std::string& text) { text_ = text; }
    void PutCommandType(CommandTypeEnum type) { type_ = type; }
    RecordsetPtr Execute(long options);

private:
    Command() = default;
    ConnectionPtr connection_;
    std::string text_;
    CommandTypeEnum type_ = adCmdUnknown;
};

} // namespace ado
