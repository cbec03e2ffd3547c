#include "tests/editor/ShowStoreFiles.h"

#include "show/Cue.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/SqlQuoting.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace editortest {

show::Cue Cue(int flowId, const std::string& host, int blastTime)
{
    show::Cue cue;
    cue.FlowID = flowId;
    cue.HostName = host;
    cue.HostIndex = 1;
    cue.BlastTime = blastTime;
    cue.Addr = (flowId < 10 ? "0" : "") + std::to_string(flowId);
    cue.Channel = "0" + std::to_string(flowId % 10);
    cue.CDCode = 100 + flowId;
    cue.Sector = flowId % 3;
    return cue;
}

std::vector<show::Cue> FiveCues()
{
    return {Cue(4, "HOST", 65432), Cue(0, "A1", 0), Cue(7, "北岸-1", 3723004), Cue(1, "HOST", 999),
            Cue(2, "B2", 3600000)};
}

void MakeShowStore(const std::string& path, const std::vector<show::Cue>& cues)
{
    testsupport::MakeEmptySqliteFile(path);
    testsupport::RunSql(path, store::kCreateLayoutTableSql);
    if (cues.empty())
        return;
    std::string sql = "INSERT INTO tb_Layout VALUES ";
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const show::Cue& c = cues[i];
        sql += (i ? "," : "") + std::string("(") + std::to_string(c.FlowID) + "," +
               store::QuoteText(c.HostName) + "," + std::to_string(c.HostIndex) + "," +
               std::to_string(c.BlastTime) + "," + store::QuoteText(c.Addr) + "," +
               store::QuoteText(c.Channel) + "," + std::to_string(c.CDCode) + "," +
               std::to_string(c.Sector) + ")";
    }
    testsupport::RunSql(path, sql);
}

namespace {
// Calls `read` on each record of the store's show table, in store order.
void ForEachRecord(const std::string& path, const std::function<void(CADORecordset&)>& read)
{
    CADODataBase db;
    EXPECT_TRUE(db.Open(store::ConnectionStringFor(path), "", "")) << db.GetLastErrorText();
    CADORecordset rs(&db);
    EXPECT_TRUE(rs.Open(store::kLayoutTable, modeTable)) << rs.GetLastErrorText();
    if (!rs.IsOpen())
        return;
    for (auto records = rs.GetRecordset(); !records->EndOfFile(); records->MoveNext())
        read(rs);
}
} // namespace

std::vector<show::Cue> ReadCues(const std::string& path)
{
    std::vector<show::Cue> cues;
    ForEachRecord(path, [&cues](CADORecordset& rs) {
        show::Cue c;
        EXPECT_TRUE(rs.ReadField("FlowID", c.FlowID));
        EXPECT_TRUE(rs.ReadField("HostName", c.HostName, ""));
        EXPECT_TRUE(rs.ReadField("HostIndex", c.HostIndex));
        EXPECT_TRUE(rs.ReadField("BlastTime", c.BlastTime));
        EXPECT_TRUE(rs.ReadField("Addr", c.Addr, ""));
        EXPECT_TRUE(rs.ReadField("Channel", c.Channel, ""));
        EXPECT_TRUE(rs.ReadField("CDCode", c.CDCode));
        EXPECT_TRUE(rs.ReadField("Sector", c.Sector));
        cues.push_back(c);
    });
    return cues;
}

std::vector<std::string> HostNames(const std::string& path)
{
    std::vector<std::string> names;
    ForEachRecord(path, [&names](CADORecordset& rs) {
        std::string name;
        EXPECT_TRUE(rs.ReadField("HostName", name, ""));
        names.push_back(name);
    });
    return names;
}

} // namespace editortest
