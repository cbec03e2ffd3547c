#include "store/ado/Connection.h"

#include "store/ado/Recordset.h"

#include <strings.h>

namespace ado {

namespace {
[[noreturn]] void RaiseClosed()
{
    throw _com_error(adErrObjectClosed, kSourceConnection,
                     "Operation is not allowed when the object is closed.");
}

// The file path that follows "Data Source=" in a connection text.
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
} // namespace

ConnectionPtr Connection::Create()
{
    return ConnectionPtr(new Connection());
}

void Connection::RequireClosed() const
{
    if (engine_)
        throw _com_error(adErrObjectOpen, kSourceConnection,
                         "Operation is not allowed when the object is open.");
}

void Connection::Start(std::unique_ptr<store::DatabaseEngine> engine)
{
    engine_ = std::move(engine);
    transactionLevel_ = 0;
    ++session_;
}

void Connection::Open(const std::string& connectionString)
{
    RequireClosed();
    Start(store::OpenDatabaseFile(DataSourceOf(connectionString)));
}

void Connection::Create(const std::string& connectionString)
{
    RequireClosed();
    Start(store::CreateDatabaseFile(DataSourceOf(connectionString)));
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

long Connection::Execute(const std::string& commandText)
{
    return Engine().Execute(commandText);
}

RecordsetPtr Connection::OpenSchema(SchemaEnum schema)
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
    return Recordset::FromRows(std::move(set));
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

} // namespace ado
