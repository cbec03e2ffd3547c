#include "tools/screenshot/DemoShow.h"

#include "editor/ui/ConverterDlg.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "store/engine/SqliteDatabase.h"

#include <QAction>
#include <array>
#include <cstdio>
#include <stdexcept>

void WriteDemoShow(const std::string& path)
{
    store::SqliteDatabase::CreateNew(path)->Execute(store::kCreateLayoutTableSql);

    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        throw std::runtime_error(db.GetLastErrorText());
    store::Transaction transaction(*db.GetConnection());
    CADORecordset rs(&db);
    if (!rs.Open(store::kLayoutTable, modeTable))
        throw std::runtime_error(rs.GetLastErrorText());

    const std::array<const char*, 4> hosts = {"HOST", "北岸-1", "北岸-2", "Barge A"};
    int time = 0;
    for (int cue = 0; cue < 40; ++cue) {
        char addr[8];
        char channel[8];
        std::snprintf(addr, sizeof addr, "%02d", 1 + cue / 12);
        std::snprintf(channel, sizeof channel, "%02d", cue % 12);
        rs.AddNew();
        rs.WriteField("FlowID", cue);
        rs.WriteField("HostName", std::string(hosts[static_cast<std::size_t>(cue / 10)]));
        rs.WriteField("HostIndex", 1);
        rs.WriteField("BlastTime", time);
        rs.WriteField("Addr", std::string(addr));
        rs.WriteField("Channel", std::string(channel));
        rs.WriteField("CDCode", 100 + cue % 7);
        rs.WriteField("Sector", 0);
        time += cue % 5 == 4 ? 4250 : 1500;
    }
    if (!rs.Update())
        throw std::runtime_error(rs.GetLastErrorText());
    rs.Close();
    transaction.Commit();
}

bool ShowedMessages(const prompt::FixedFilePrompt& prompt)
{
    if (prompt.messages.empty())
        return false;
    std::fprintf(stderr, "tavrin-screenshot: unexpected message: %s", prompt.messages.c_str());
    return true;
}

bool OpenDemoShow(CConverterDlg& window, const prompt::FixedFilePrompt& prompt)
{
    window.show();
    window.findChild<QAction*>(QStringLiteral("actionCorvaneDatabase"))->trigger();
    return !ShowedMessages(prompt);
}
