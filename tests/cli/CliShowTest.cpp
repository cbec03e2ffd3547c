// tavrin-cli's show commands, run as the real program on stores made here:
// import, show, assign, hosts, check, and the command line's own rules.
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "tests/cli/CliFixture.h"

#include <filesystem>
#include <fstream>

namespace {

using clitest::Cli;
using clitest::FileBytes;
using clitest::FourCues;
using clitest::Line;
using clitest::RunCli;
using hostlinktest::StoreRow;
using nlohmann::json;

TEST_F(Cli, ImportConvertsASqliteFireOneFileInPlace)
{
    const std::string fireOne = dir.File("fireone.db");
    testsupport::MakeSqliteFile(
        fireOne, "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    testsupport::RunSql(fireOne, "INSERT INTO FireData VALUES(3723004, 3, 7, 12), (500, 1, 1, 0)");
    const auto imported = RunCli({"import", fireOne});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, Line(fireOne)) << "where the show now lives";

    const auto shown = RunCli({"show", fireOne, "--csv"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
                         "0,HOST,01:02:03.004,0,3,07,11,\n"
                         "1,HOST,00:00.500,0,1,01,-1,\n");
    // A second import loads the stored show: names saved since survive.
    ASSERT_EQ(RunCli({"assign", fireOne, "--host", "A1", "1"}).exitCode, 0);
    ASSERT_EQ(RunCli({"import", fireOne}).exitCode, 0);
    EXPECT_EQ(HostNames(fireOne), (std::vector<std::string>{"A1", "HOST"}));
}

TEST_F(Cli, ImportFailuresExitWithOneAndTheSystemsText)
{
    const std::string notFireOne = dir.File("other.db");
    testsupport::MakeSqliteFile(notFireOne, "CREATE TABLE Other(x int)");
    ExpectFailure(RunCli({"import", notFireOne}), Line(strings::kCliNothingImported));
    const auto missing = RunCli({"import", dir.File("missing.db")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.db")));
}

TEST_F(Cli, ShowPrintsTheGridRowsAsTextCsvOrJson)
{
    const std::string store = Store(FourCues());
    const auto text = RunCli({"show", store});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "Sequence  Host    Launch Time   Offset  Event  Sla  Cue  Note\n"
                        "0         A1      00:03.000     0       0      02   00\n"
                        "1         B2      00:01.000     0       0      01   00\n"
                        "2         A1      00:02.000     0       0      01   01\n"
                        "3         北岸-1  01:02:03.004  0       0      07   11\n");
    EXPECT_TRUE(text.err.empty()) << text.err;

    const auto jsonRun = RunCli({"show", store, "--json"});
    ASSERT_EQ(jsonRun.exitCode, 0);
    const json rows = Json(jsonRun);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3]["Host"], "北岸-1");
    EXPECT_EQ(rows[3]["Launch Time"], "01:02:03.004");
    EXPECT_EQ(rows[0]["Sequence"], "0");
    EXPECT_EQ(rows[0]["Note"], "");

    testsupport::RunSql(store,
                        "UPDATE tb_Layout SET HostName = 'say \"hi\", then' WHERE FlowID = 1");
    const auto csv = RunCli({"show", store, "--csv"});
    EXPECT_NE(csv.out.find("\n1,\"say \"\"hi\"\", then\",00:01.000,"), std::string::npos)
        << csv.out;
}

TEST_F(Cli, ShowOfAFileThatIsNoShowStoreFails)
{
    const std::string fireOne = dir.File("fireone.db");
    testsupport::MakeSqliteFile(fireOne, "CREATE TABLE FireData(Cue int)");
    ExpectFailure(RunCli({"show", fireOne}), Line(strings::kNoLayoutTable));
}

TEST_F(Cli, AssignWritesTheNameIntoRowsListsAndRanges)
{
    std::vector<StoreRow> rows = hostlinktest::NumberedRows(6);
    const std::string store = Store(rows);
    const auto result = RunCli({"assign", store, "--host", " 北岸-1 ", "1-2,5,2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, Line(strings::kSaveDone));
    EXPECT_EQ(HostNames(store),
              (std::vector<std::string>{"北岸-1", "北岸-1", "HOST", "HOST", "北岸-1", "HOST"}));
}

TEST_F(Cli, AssignRefusesRowsOutsideTheShowAsAUsageErrorAndWritesNothing)
{
    const std::string store = Store(hostlinktest::NumberedRows(3));
    const std::string before = FileBytes(store);
    for (const char* list : {"1,4", "2-9", "0", "3-1", "", "1,,2", "a", "1-"}) {
        const auto result = RunCli({"assign", store, "--host", "A1", list});
        EXPECT_EQ(result.exitCode, 2) << list << ": " << result.err;
        EXPECT_FALSE(result.err.empty()) << list;
    }
    EXPECT_EQ(RunCli({"assign", store, "--host", "A1", "1,4"}).err,
              Line(strings::FormatText(strings::kCliRowOutOfRange, 4, 3)));
    EXPECT_EQ(FileBytes(store), before) << "the store was touched";
}

TEST_F(Cli, AssignWithAnEmptyOrOverlongNameSavesNothing)
{
    const std::string store = Store(hostlinktest::NumberedRows(3));
    const auto empty = RunCli({"assign", store, "--host", "  ", "2"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, Line(strings::kSaveHostEmpty));
    const auto overlong = RunCli({"assign", store, "--host", std::string(33, 'x'), "1-3"});
    EXPECT_EQ(overlong.exitCode, 1);
    EXPECT_EQ(overlong.err, Line(strings::FormatText(strings::kHostNameTooLong, 32)))
        << "refused as typed, before the store is read";
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"HOST", "HOST", "HOST"}));
}

TEST_F(Cli, AssignRefusesControlCharactersAndWritesNothing)
{
    const std::string store = Store(hostlinktest::NumberedRows(2));
    const std::string before = FileBytes(store);
    for (const char* name : {"A\nB", "A\tB", "\x1b]0;x\x07", "A\x7f", "A\xc2\x9b"}) {
        const auto result = RunCli({"assign", store, "--host", name, "1"});
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_EQ(result.err, Line(strings::kAssignHostControlCharacter));
    }
    EXPECT_EQ(FileBytes(store), before) << "the store was touched";
}

TEST_F(Cli, TextOutputEscapesControlCharactersAndJsonReplacesBytesThatAreNotUtf8)
{
    const std::string store = Store(
        {{.FlowID = 0, .HostName = "X\x1b]0;t\x07Y"}, {.FlowID = 1, .HostName = "A\xff\x9b"}});
    for (const char* command : {"show", "hosts"}) {
        const auto text = RunCli({command, store});
        EXPECT_EQ(text.exitCode, 0) << command;
        EXPECT_NE(text.out.find("X\\x1b]0;t\\x07Y"), std::string::npos) << text.out;
        EXPECT_NE(text.out.find("A\\xff\\x9b"), std::string::npos) << text.out;
        EXPECT_EQ(text.out.find_first_of("\x1b\x07\xff\x9b"), std::string::npos) << command;
    }
    const auto shown = RunCli({"show", store, "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(Json(shown)[1]["Host"], "A\xef\xbf\xbd\xef\xbf\xbd");
}

TEST_F(Cli, ALockedStoreGivesTheMessageAndItsCauseAndTheRecordOnlyWhenVerbose)
{
    const std::string store = Store(FourCues());
    CADODataBase holder; // another program that keeps the file locked
    ASSERT_TRUE(holder.Open(store::ConnectionStringFor(store), "", ""));
    ASSERT_TRUE(holder.Execute("PRAGMA locking_mode=EXCLUSIVE"));
    ASSERT_TRUE(holder.Execute("UPDATE tb_Layout SET HostName = HostName"));
    // The show cannot even be read: it says so, not that it cannot be written.
    const std::string readFailed = strings::kAssignReadFailed;
    const auto assign = RunCli({"assign", store, "--host", "A2", "1"});
    EXPECT_EQ(assign.exitCode, 1);
    EXPECT_EQ(assign.err.rfind(readFailed.substr(0, readFailed.find('\n') + 1), 0), 0u)
        << assign.err;
    EXPECT_NE(assign.err.find("locked"), std::string::npos) << assign.err;
    EXPECT_EQ(assign.err.find("Connection String"), std::string::npos) << assign.err;
    const auto verbose = RunCli({"show", store, "--verbose"});
    EXPECT_EQ(verbose.exitCode, 1);
    EXPECT_LT(verbose.err.find("locked"), verbose.err.find("Connection String")) << verbose.err;
}

TEST_F(Cli, HostsGivesEachHostsLoad)
{
    std::vector<StoreRow> rows = FourCues();
    rows.push_back(
        {.FlowID = 4, .HostName = "A1", .BlastTime = -20, .Addr = "7A", .Channel = "09"});
    const std::string store = Store(rows);
    ASSERT_EQ(RunCli({"plan", store, "--set", "B2=12"}).exitCode, 0);
    const auto text = RunCli({"hosts", store});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "Host    Host Code  Cues  First Launch  Last Launch   Modules\n"
                        "A1      -          3     -00:00.020    00:03.000     1,2,7\n"
                        "B2      12         1     00:01.000     00:01.000     1\n"
                        "北岸-1  -          1     01:02:03.004  01:02:03.004  7\n");
    const auto jsonRun = RunCli({"hosts", store, "--json"});
    ASSERT_EQ(jsonRun.exitCode, 0);
    const json hosts = Json(jsonRun);
    ASSERT_EQ(hosts.size(), 3u);
    EXPECT_EQ(hosts[0]["host"], "A1");
    EXPECT_TRUE(hosts[0]["host_code"].is_null());
    EXPECT_EQ(hosts[1]["host_code"], 12);
    EXPECT_EQ(hosts[0]["cues"], 3);
    EXPECT_EQ(hosts[0]["first_launch_ms"], -20);
    EXPECT_EQ(hosts[0]["last_launch_ms"], 3000);
    EXPECT_EQ(hosts[0]["modules"], json::array({1, 2, 7}));
    EXPECT_EQ(hosts[2]["last_launch"], "01:02:03.004");
}

TEST_F(Cli, CheckExitsWithOneOnErrorsAndZeroOnWarnings)
{
    const std::string clean = Store(FourCues(), "clean.db");
    const auto passed = RunCli({"check", clean});
    EXPECT_EQ(passed.exitCode, 0) << passed.out;
    EXPECT_EQ(passed.out, Line(strings::kCheckNothingFound) +
                              Line(strings::FormatText(strings::kCheckSummary, 4, 0, 0)));

    std::vector<StoreRow> rows = hostlinktest::NumberedRows(5); // all on HOST, module 01
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].Channel = std::to_string(10 + i);
    const auto warned = RunCli({"check", Store(rows, "warned.db")});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_EQ(warned.out, "warning: " + strings::FormatText(strings::kCheckDefaultHost, "HOST") +
                              " Sequence: 0-4\n" +
                              Line(strings::FormatText(strings::kCheckSummary, 5, 0, 1)));

    rows[1].Channel = rows[3].Channel = "07";
    rows[2].Addr = "7A";
    rows[4].BlastTime = -1;
    const auto failed = RunCli({"check", Store(rows, "failed.db"), "--json"});
    EXPECT_EQ(failed.exitCode, 1);
    const json report = Json(failed);
    EXPECT_EQ(report["cues"], 5);
    EXPECT_EQ(report["errors"], 3);
    EXPECT_EQ(report["warnings"], 1);
    ASSERT_EQ(report["findings"].size(), 4u);
    EXPECT_EQ(report["findings"][0]["kind"], "shared-firing-point");
    EXPECT_EQ(report["findings"][0]["sequences"], json::array({1, 3}));
    EXPECT_EQ(report["findings"][1]["kind"], "negative-launch-time");
    EXPECT_EQ(report["findings"][2]["kind"], "addr-not-decimal");
    EXPECT_EQ(report["findings"][2]["text"],
              strings::FormatText(strings::kCheckNotDecimal, "Sla", "7A", 7));
    EXPECT_EQ(report["findings"][3]["severity"], "warning");
}

TEST_F(Cli, CheckOfAFileWithoutShowTableIsAnError)
{
    const std::string path = dir.File("plain.db");
    testsupport::MakeEmptySqliteFile(path);
    const auto result = RunCli({"check", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string(strings::kNoLayoutTable) + "\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(Cli, UsageErrorsExitWithTwo)
{
    const std::string store = Store(FourCues());
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"frobnicate"},
                                                 {"show"},
                                                 {"show", store, "--csv", "--json"},
                                                 {"show", store, "--bogus"},
                                                 {"assign", store, "1"},
                                                 {"assign", store, "--host"},
                                                 {"download", store},
                                                 {"set-host", store, "--host-code", "1"},
                                                 {"simulate-host", "--listen", "localhost"},
                                                 {"simulate-host", "--refuse-frame", "x"}}) {
        const auto result = RunCli(args, std::chrono::seconds(10));
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args) << result.err;
        EXPECT_FALSE(result.err.empty()) << ::testing::PrintToString(args);
    }
}

TEST_F(Cli, EverySubcommandHasHelpAndTheProgramAVersion)
{
    for (const char* command :
         {"import", "show", "assign", "hosts", "check", "download", "set-host", "simulate-host"}) {
        const auto result = RunCli({command, "--help"});
        EXPECT_EQ(result.exitCode, 0) << command;
        EXPECT_NE(result.out.find(std::string("tavrin-cli ") + command), std::string::npos)
            << result.out;
    }
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("tavrin-cli ", 0), 0u) << version.out;
}

} // namespace
