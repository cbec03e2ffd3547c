#include "store/HostLoadTable.h"

#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/HostPlanTable.h"
#include "store/Transaction.h"

#include <stdexcept>

namespace store {

namespace {

[[noreturn]] void Raise(const std::string& what)
{
    throw std::runtime_error(what);
}

// Reads one row into `record`; false at a field that cannot be read.
bool ReadRecord(CADORecordset& rs, HostLoadRecord& record)
{
    int atField = 0;
    const bool read =
        rs.ReadField("HostCode", record.HostCode) && rs.ReadField("Address", record.Address, "") &&
        rs.ReadField("Port", record.Port) && rs.ReadField("AtField", atField) &&
        rs.ReadField("Sent", record.Sent, "") && rs.ReadField("HostName", record.HostName, "") &&
        rs.ReadField("Digest", record.Digest, "") && rs.ReadField("Frames", record.Frames) &&
        rs.ReadField("Acknowledged", record.Acknowledged) &&
        rs.ReadField("Outcome", record.Outcome, "") &&
        rs.ReadField("FailedAtFrame", record.FailedAtFrame) &&
        rs.ReadField("Failure", record.Failure, "") &&
        rs.ReadField("LoadedAt", record.LoadedAt, "");
    record.AtField = atField == 1;
    return read;
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
    std::vector<HostLoadRecord> records;
    if (!HasTable(database, kHostLoadTable))
        return records;
    CADORecordset rs(&database);
    if (!rs.Open(kHostLoadTable, modeTable)) // by name: in the order written
        Raise(rs.GetLastErrorText());
    for (const ado::RecordsetPtr rows = rs.GetRecordset(); !rows->EndOfFile(); rows->MoveNext()) {
        HostLoadRecord record;
        if (!ReadRecord(rs, record))
            Raise(rs.GetLastErrorText());
        records.push_back(std::move(record));
    }
    rs.Close();
    return records;
}

void AppendHostLoad(CADODataBase& database, const HostLoadRecord& record)
{
    // Begun before the table is looked for: two programs making it at once
    // take turns, and the second finds it made.
    Transaction transaction(*database.GetConnection());
    if (!HasTable(database, kHostLoadTable) && !database.Execute(kCreateHostLoadTableSql))
        Raise(database.GetLastErrorDescription());
    CADORecordset rs(&database);
    if (!rs.Open(kHostLoadTable, modeTable) || !rs.AddNew() || !WriteRecord(rs, record) ||
        !rs.Update())
        Raise(rs.GetLastErrorText());
    rs.Close();
    transaction.Commit();
}

} // namespace store
