#pragma once

#include "store/ado/AdoConstants.h"
#include "store/engine/DatabaseEngine.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ado {

// ADO's Connection over one database engine (engine/DatabaseEngine.h), chosen
// by the file the connection text names. Every failure raises _com_error.
class Connection
{
public:
    static ConnectionPtr Create();

    // Opens the file that follows "Data Source=" in the connection text.
    void Open(const std::string& connectionString);
    // Creates a new SQLite file at the connection text's data source and
    // opens it; an existing file is refused, never replaced.
    void Create(const std::string& connectionString);
    void Close();
    long State() const { return engine_ ? adStateOpen : adStateClosed; }
    // Whether the open file's format can be read but never written (Access).
    bool IsReadOnlyFormat();
    // Runs one statement that returns no rows; returns the rows it changed.
    long Execute(const std::string& commandText);
    // The tables of the database: TABLE_NAME and TABLE_TYPE, one row each.
    RecordsetPtr OpenSchema(SchemaEnum schema);
    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // For the recordsets opened on this connection.
    store::DatabaseEngine& Engine();
    std::uint64_t Session() const { return session_; }

private:
    Connection() = default;
    void Start(std::unique_ptr<store::DatabaseEngine> engine);
    void RequireClosed() const;

    std::unique_ptr<store::DatabaseEngine> engine_;
    long transactionLevel_ = 0;
    std::uint64_t session_ = 0; // changes whenever the connection opens or closes
};

} // namespace ado
