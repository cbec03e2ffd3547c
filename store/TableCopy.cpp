#include "store/TableCopy.h"

#include "store/ADODataBase.h"
#include "store/SqlQuoting.h"

#include <strings.h>

namespace store {

namespace {
ado::Connection& OpenConnection(CADODataBase& target)
{
    const ado::ConnectionPtr connection = target.GetConnection();
    if (!connection)
        throw ado::_com_error(ado::E_POINTER);
    return *connection;
}

// The statement that makes a table of `columns`, each declared as its own
// engine declares it.
std::string CreateTableSql(const std::string& name, const std::vector<ColumnInfo>& columns)
{
    std::string definitions;
    for (const ColumnInfo& column : columns) {
        definitions += (definitions.empty() ? "" : ", ") + QuoteIdentifier(column.name);
        if (!column.declaredType.empty())
            definitions += " " + column.declaredType;
        if (column.notNull)
            definitions += " NOT NULL";
    }
    return "CREATE TABLE " + QuoteIdentifier(name) + " (" + definitions + ")";
}

// Rows written to a table many at a time, each handed on to `also` once it
// is written: a row's failure, or what `also` raises for it, comes in the
// order of the rows, as when each was written alone.
class RowBatch
{
public:
    RowBatch(DatabaseEngine& target, const std::string& name, const RowSink& also)
        : target_(target), name_(name), also_(also)
    {
    }

    void Columns(std::vector<ColumnInfo> columns)
    {
        columns_ = std::move(columns);
        every_.assign(columns_.size(), true);
    }

    void Add(const std::vector<ado::Variant>& row)
    {
        rows_.push_back(row);
        for (const ado::Variant& value : row)
            bytes_ += value.vt() == ado::VT_BSTR ? value.bstrVal().size() : sizeof value;
        if (rows_.size() == kMostRows || bytes_ >= kMostBytes)
            Flush();
    }

    void Flush()
    {
        target_.WriteRows(name_, columns_, rows_, every_,
                          [this](const std::vector<ado::Variant>& row) { DeliverRow(also_, row); });
        rows_.clear();
        bytes_ = 0;
    }

private:
    // Held back at most: a few dozen rows, or fewer of long values.
    static constexpr std::size_t kMostRows = 64, kMostBytes = 256 * 1024;

    DatabaseEngine& target_;
    const std::string& name_;
    const RowSink& also_;
    std::vector<ColumnInfo> columns_;
    std::vector<bool> every_;
    std::vector<std::vector<ado::Variant>> rows_;
    std::size_t bytes_ = 0;
};

// Streams the rows of `name` into `target` under the same table name, with
// `columnsFor` giving the columns they are written with.
void StreamRows(
    DatabaseEngine& source, const std::string& name, DatabaseEngine& target,
    const std::function<std::vector<ColumnInfo>(const std::vector<ColumnInfo>&)>& columnsFor,
    const RowSink& also)
{
    RowBatch batch(target, name, also);
    RowSink sink;
    sink.columns = [&](const std::vector<ColumnInfo>& described) {
        batch.Columns(columnsFor(described));
        if (also.columns)
            also.columns(described);
    };
    sink.row = [&batch](const std::vector<ado::Variant>& row) { batch.Add(row); };
    try {
        source.StreamTable(name, sink);
    } catch (...) {
        // The rows read before the failure first, and what they raise.
        batch.Flush();
        throw;
    }
    batch.Flush();
}
} // namespace

void CopyTable(ado::Recordset& source, const std::string& name, CADODataBase& target)
{
    OpenConnection(target).Execute(CreateTableSql(name, source.Fields()));
    AppendRows(source, name, target);
}

void StreamTableCopy(DatabaseEngine& source, const std::string& name, DatabaseEngine& target,
                     const RowSink& also)
{
    StreamRows(
        source, name, target,
        [&](const std::vector<ColumnInfo>& described) {
            target.Execute(CreateTableSql(name, described));
            // The rows fit their widths in the source already.
            std::vector<ColumnInfo> columns = described;
            for (ColumnInfo& column : columns)
                column.maxChars = 0;
            return columns;
        },
        also);
}

void StreamRowsInto(DatabaseEngine& source, const std::string& name, DatabaseEngine& target)
{
    const std::vector<ColumnInfo> existing = target.OpenTable(name).columns;
    StreamRows(source, name, target,
               [&](const std::vector<ColumnInfo>& described) {
                   // Each value goes to the column of its name, within that column's width.
                   std::vector<ColumnInfo> columns = described;
                   for (ColumnInfo& column : columns)
                       for (const ColumnInfo& there : existing)
                           if (strcasecmp(there.name.c_str(), column.name.c_str()) == 0)
                               column.maxChars = there.maxChars;
                   return columns;
               },
               {});
}

void AppendRows(ado::Recordset& source, const std::string& name, CADODataBase& target)
{
    const ado::ConnectionPtr connection = target.GetConnection();
    OpenConnection(target);
    const ado::RecordsetPtr rows = ado::Recordset::Create();
    rows->Open(name, connection, ado::adLockOptimistic, ado::adCmdTable);
    const std::vector<ColumnInfo> columns = source.Fields();
    for (source.MoveFirst(); !source.EndOfFile(); source.MoveNext()) {
        rows->AddNew();
        for (std::size_t i = 0; i < columns.size(); ++i)
            rows->PutCollect(columns[i].name, source.GetFieldValue(i));
        rows->Update();
    }
    rows->Close();
}

} // namespace store
