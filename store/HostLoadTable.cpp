#include "store/HostLoadTable.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/TableRows.h"
#include "store/Transaction.h"

namespace store {

namespace {

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

HostLoadRecord ReadRecord(CADORecordset& rs)
{
    HostLoadRecord record;
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
    return record;
}

bool WriteRecord(CADORecordset& rs, const HostLoadRecord& record)
{
    return rs.WriteField("HostCode", record.HostCode) && rs.WriteField("Address", record.Address) &&
           rs.WriteField("Port", record.Port) && rs.WriteField("AtField", record.AtField ? 1 : 0) &&
           rs.WriteField("Sent", record.Sent) && rs.WriteField("HostName", record.HostName) &&
           rs.WriteField("Digest", record.Digest) && rs.WriteField("Frames", record.Frames) &&
           rs.WriteField("Acknowledged", record.Acknowledged) &&
           rs.WriteField("Outcome", record.Outcome) &&
           rs.WriteField("FailedAtFrame", record.FailedAtFrame) &&
           rs.WriteField("Failure", record.Failure) && rs.WriteField("LoadedAt", record.LoadedAt);
}

} // namespace

std::vector<HostLoadRecord> ReadHostLoads(CADODataBase& database)
{
    // By name: in the order written.
    return ReadTableRows(database, kHostLoadTable, kHostLoadTable, modeTable, ReadRecord);
}

void AppendHostLoad(CADODataBase& database, const HostLoadRecord& record)
{
    // Begun before the table is looked for: two programs making it at once
    // take turns, and the second finds it made.
    Transaction transaction(*database.GetConnection());
    if (!HasTable(database, kHostLoadTable) && !database.Execute(kCreateHostLoadTableSql))
        RaiseAccessError(database.GetLastErrorDescription());
    CADORecordset rs(&database);
    if (!rs.Open(kHostLoadTable, modeTable) || !rs.AddNew() || !WriteRecord(rs, record) ||
        !rs.Update())
        RaiseAccessError(rs.GetLastErrorText());
    rs.Close();
    transaction.Commit();
}

} // namespace store
