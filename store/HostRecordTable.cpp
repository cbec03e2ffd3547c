#include "store/HostRecordTable.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/SqlQuoting.h"
#include "store/TableRows.h"
#include "store/Transaction.h"

#include <algorithm>
#include <strings.h>

namespace store {

namespace {

constexpr char kConversation[] = "Conversation";
constexpr char kNoRowsSql[] = "SELECT * FROM tb_HostLoads WHERE 0 = 1";

// A whole number of a record. The layer reads NULL as 0, which here would
// pass for a count: a NULL is refused.
int ReadNumber(CADORecordset& rs, const char* field)
{
    int value = 0;
    if (rs.GetRecordset()->GetCollect(field).IsNull())
        RaiseAccessError(std::string("The field '") + field + "' of tb_HostLoads holds NULL.");
    if (!rs.ReadField(field, value))
        RaiseAccessError(rs.GetLastErrorText());
    return value;
}

std::string ReadText(CADORecordset& rs, const char* field)
{
    std::string value;
    if (!rs.ReadField(field, value, ""))
        RaiseAccessError(rs.GetLastErrorText());
    return value;
}

bool HasColumn(const CADORecordset& rs, const char* name)
{
    const std::vector<ColumnInfo>& columns = rs.GetRecordset()->Fields();
    return std::any_of(columns.begin(), columns.end(), [name](const ColumnInfo& column) {
        return strcasecmp(column.name.c_str(), name) == 0;
    });
}

HostRecord ReadRecord(CADORecordset& rs)
{
    HostRecord record;
    record.HostCode = ReadNumber(rs, "HostCode");
    record.Address = ReadText(rs, "Address");
    record.Port = ReadNumber(rs, "Port");
    record.AtField = ReadNumber(rs, "AtField") == 1;
    record.Sent = ReadText(rs, "Sent");
    record.HostName = ReadText(rs, "HostName");
    record.Digest = ReadText(rs, "Digest");
    record.Frames = ReadNumber(rs, "Frames");
    record.Acknowledged = ReadNumber(rs, "Acknowledged");
    record.Outcome = ReadText(rs, "Outcome");
    record.FailedAtFrame = ReadNumber(rs, "FailedAtFrame");
    record.Failure = ReadText(rs, "Failure");
    record.LoadedAt = ReadText(rs, "LoadedAt");
    if (HasColumn(rs, kConversation)) // a table made before it was there has none
        record.Conversation = ReadText(rs, kConversation);
    return record;
}

bool WriteRecord(CADORecordset& rs, const HostRecord& record)
{
    return rs.WriteField("HostCode", record.HostCode) && rs.WriteField("Address", record.Address) &&
           rs.WriteField("Port", record.Port) && rs.WriteField("AtField", record.AtField ? 1 : 0) &&
           rs.WriteField("Sent", record.Sent) && rs.WriteField("HostName", record.HostName) &&
           rs.WriteField("Digest", record.Digest) && rs.WriteField("Frames", record.Frames) &&
           rs.WriteField("Acknowledged", record.Acknowledged) &&
           rs.WriteField("Outcome", record.Outcome) &&
           rs.WriteField("FailedAtFrame", record.FailedAtFrame) &&
           rs.WriteField("Failure", record.Failure) && rs.WriteField("LoadedAt", record.LoadedAt) &&
           rs.WriteField(kConversation, record.Conversation);
}

// Makes the record table when there is none, and gives an older version's
// its Conversation column. Whether the table now has that column: another
// program's table of the name is left as it is (and takes no record).
bool PrepareTable(CADODataBase& database)
{
    if (!HasTable(database, kHostRecordTable)) {
        if (!database.Execute(kCreateHostRecordTableSql))
            RaiseAccessError(database.GetLastErrorDescription());
        return true;
    }
    CADORecordset columns(&database);
    if (!columns.Open(kNoRowsSql, modeQuery))
        RaiseAccessError(columns.GetLastErrorText());
    const bool keyed = HasColumn(columns, kConversation);
    const bool records = HasColumn(columns, "Outcome");
    columns.Close();
    if (keyed || !records)
        return keyed;
    if (!database.Execute(kAddConversationColumnSql))
        RaiseAccessError(database.GetLastErrorDescription());
    return true;
}

// A text as WriteRecord stores it: the empty text as NULL.
std::string TextValue(const std::string& text)
{
    return text.empty() ? "NULL" : QuoteText(text);
}

// Puts the ended record in place of its begun one; false when that one is
// not there.
bool CompleteBegun(CADODataBase& database, const HostRecord& record)
{
    const std::string sql = "UPDATE tb_HostLoads SET Digest=" + TextValue(record.Digest) +
                            ",Frames=" + std::to_string(record.Frames) +
                            ",Acknowledged=" + std::to_string(record.Acknowledged) +
                            ",Outcome=" + TextValue(record.Outcome) +
                            ",FailedAtFrame=" + std::to_string(record.FailedAtFrame) +
                            ",Failure=" + TextValue(record.Failure) +
                            ",LoadedAt=" + TextValue(record.LoadedAt) +
                            " WHERE Conversation=" + QuoteText(record.Conversation) +
                            " AND Outcome=" + QuoteText(kOutcomeBegun);
    return database.GetConnection()->Execute(sql) > 0;
}

// Drops the records no host's state and none of the last conversations
// need. A host's state comes from its code's last record at its field
// address and the last of each kind there (a name, a show): those stay
// however old they are.
void PruneRecords(CADODataBase& database)
{
    const std::string kept = std::to_string(kKeptConversations);
    const std::string sql =
        "DELETE FROM tb_HostLoads WHERE rowid NOT IN (SELECT rowid FROM tb_HostLoads "
        "ORDER BY rowid DESC LIMIT " +
        kept +
        ") AND rowid NOT IN (SELECT MAX(rowid) FROM tb_HostLoads WHERE AtField=1 "
        "GROUP BY HostCode) AND rowid NOT IN (SELECT MAX(rowid) FROM tb_HostLoads "
        "WHERE AtField=1 GROUP BY HostCode,Sent)";
    database.GetConnection()->Execute(sql);
}

void AppendRecord(CADODataBase& database, const HostRecord& record)
{
    CADORecordset rs(&database);
    if (!rs.Open(kHostRecordTable, modeTable) || !rs.AddNew() || !WriteRecord(rs, record) ||
        !rs.Update())
        RaiseAccessError(rs.GetLastErrorText());
    rs.Close();
}

} // namespace

std::vector<HostRecord> ReadHostRecords(CADODataBase& database)
{
    // By name: in the order written.
    return ReadTableRows(database, kHostRecordTable, kHostRecordTable, modeTable, ReadRecord);
}

void WriteHostRecord(CADODataBase& database, const HostRecord& record)
{
    // Begun before the table is looked for: two programs making it at once
    // take turns, and the second finds it made.
    Transaction transaction(*database.GetConnection());
    const bool keyed = PrepareTable(database);
    const bool completed =
        keyed && record.Ended() && !record.Conversation.empty() && CompleteBegun(database, record);
    if (!completed)
        AppendRecord(database, record);
    if (keyed)
        PruneRecords(database);
    transaction.Commit();
}

} // namespace store
