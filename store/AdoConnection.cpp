#include "AdoObjects.h"

#include <strings.h>

namespace ado {

namespace {
[[noreturn]] void RaiseClosed()
{
    throw _com_error(adErrObjectClosed, kSourceConnection,
                     "Operation is not allowed when the object is closed.");
}
} // namespace

std::string DataSourceOf(const std::string& connectionString)
{
    static constexpr char kKey[] = "data source=";
    const std::size_t keyLength = sizeof kKey - 1;
    for (std::size_t i = 0; i + keyLength <= connectionString.size(); ++i) {
        if (strncasecmp(connectionString.c_str() + i, kKey, keyLength) != 0)
            continue;
        if (i > 0 && connectionString[i - 1] != ';' && connectionString[i - 1] != ' ')
            continue;
        std::string value = connectionString.substr(i + keyLength);
        if (!value.empty() && value.front() == '"') {
            const auto close = value.find('"', 1);
            return value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        }
        // The path is the rest of the text: paths may hold ';' themselves.
        while (!value.empty() && (value.back() == ';' || value.back() == ' '))
            value.pop_back();
        return value;
    }
    return {};
}

ConnectionPtr Connection::Create()
{
    return ConnectionPtr(new Connection());
}

void Connection::Open(const std::string& connectionString, const std::string& /*userId*/,
                      const std::string& /*password*/, long /*options*/)
{
    if (engine_)
        throw _com_error(adErrObjectOpen, kSourceConnection,
                         "Operation is not allowed when the object is open.");
    engine_ = store::OpenDatabaseFile(DataSourceOf(connectionString));
    connectionString_ = connectionString;
    transactionLevel_ = 0;
    ++session_;
}

void Connection::Create(const std::string& connectionString)
{
    if (engine_)
        throw _com_error(adErrObjectOpen, kSourceConnection,
                         "Operation is not allowed when the object is open.");
    engine_ = store::CreateDatabaseFile(DataSourceOf(connectionString));
    connectionString_ = connectionString;
    transactionLevel_ = 0;
    ++session_;
}

bool Connection::IsReadOnlyFormat()
{
    return Engine().IsReadOnlyFormat();
}

void Connection::Close()
{
    if (!engine_)
        RaiseClosed();
    // Closing with a transaction under way undoes it, as Jet does.
    auto engine = std::move(engine_);
    ++session_;
    if (transactionLevel_ > 0) {
        transactionLevel_ = 0;
        try {
            engine->RollbackTransaction();
        } catch (const _com_error&) {
            // the engine's destructor undoes what is left
        }
    }
}

store::DatabaseEngine& Connection::Engine()
{
    if (!engine_)
        RaiseClosed();
    return *engine_;
}

RecordsetPtr Connection::Execute(const std::string& commandText, long* recordsAffected,
                                 long /*options*/)
{
    const long affected = Engine().Execute(commandText);
    if (recordsAffected)
        *recordsAffected = affected;
    return Recordset::Create(); // a closed one: the statement returns no rows
}

RecordsetPtr Connection::OpenSchema(SchemaEnum schema, const Variant& /*restrictions*/,
                                    const Variant& /*schemaId*/)
{
    if (schema != adSchemaTables)
        throw _com_error(adErrFeatureNotAvailable, kSourceConnection,
                         "The provider does not support this schema.");
    store::RowSet set;
    for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE"})
        set.columns.push_back({name, VT_BSTR, 0, "text", false});
    for (const store::TableEntry& table : Engine().ListTables())
        set.rows.push_back({Variant::Null(), Variant::Null(), Variant::Bstr(table.name),
                            Variant::Bstr(table.type)});
    return Recordset::FromRows(std::move(set), nullptr);
}

long Connection::BeginTrans()
{
    Engine().BeginTransaction();
    return ++transactionLevel_;
}

void Connection::CommitTrans()
{
    if (transactionLevel_ == 0)
        throw _com_error(E_FAIL, kSourceConnection, "No transaction is active.");
    Engine().CommitTransaction();
    --transactionLevel_;
}

void Connection::RollbackTrans()
{
    if (transactionLevel_ == 0)
        throw _com_error(E_FAIL, kSourceConnection, "No transaction is active.");
    --transactionLevel_;
    Engine().RollbackTransaction();
}

CommandPtr Command::Create()
{
    return CommandPtr(new Command());
}

RecordsetPtr Command::Execute(long /*options*/)
{
    if (!connection_ || connection_->State() == adStateClosed)
        throw _com_error(adErrInvalidConnection, kSourceCommand,
                         "The connection cannot be used to perform this operation. It is either "
                         "closed or invalid in this context.");
    if (type_ == adCmdStoredProc)
        throw _com_error(adErrFeatureNotAvailable, kSourceCommand,
                         "The database has no stored procedure '" + text_ + "'.");
    auto recordset = Recordset::Create();
    recordset->Open(text_, connection_, adOpenStatic, adLockReadOnly, adCmdText);
    return recordset;
}

} // namespace ado
