// What each host holds, through tavrin-cli: the records its conversations
// leave in the show store, `status`, and `download --all-hosts --stale`.
// Hosts are virtual ones on 127.0.0.1; loads at the field's own address are
// recorded by the test itself (the isolated-network test makes real ones).
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostStates.h"
#include "tests/cli/CliFixture.h"
#include "tests/hostlink/RunningProgram.h"

#include <filesystem>
#include <fstream>

namespace {

using clitest::Cli;
using clitest::FourCues;
using clitest::RunCli;
using nlohmann::json;
using namespace std::chrono_literals;

std::string Target(int code, const hostlink::VirtualFiringHost& host)
{
    return std::to_string(code) + "=127.0.0.1:" + std::to_string(host.Port());
}

// A show of three host names planned at codes 5, 6 and 7, with a virtual
// host for each code.
class CliHostState : public Cli
{
protected:
    void SetUp() override
    {
        store = Store(FourCues());
        ASSERT_EQ(
            RunCli({"plan", store, "--set", "A1=5", "--set", "B2=6", "--set", "北岸-1=7"}).exitCode,
            0);
        for (int code = 5; code <= 7; ++code)
            hosts.push_back(hostlinktest::StartHost());
    }

    // download --all-hosts with every code's --target, and `extra`.
    clitest::CliResult Load(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = {"download", store, "--all-hosts"};
        for (int code = 5; code <= 7; ++code)
            args.insert(args.end(), {"--target", Target(code, *hosts[code - 5])});
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    }

    json Status()
    {
        const clitest::CliResult result = RunCli({"status", store, "--json"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return Json(result);
    }

    std::vector<std::string> States()
    {
        std::vector<std::string> states;
        for (const json& host : Status())
            states.push_back(host["state"]);
        return states;
    }

    std::string store;
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
};

TEST_F(CliHostState, ARehearsalIsRecordedWhereItWentAndNeverMakesAHostCurrent)
{
    const json before = Status();
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[0]["host"], "A1");
    EXPECT_EQ(before[0]["code"], 5);
    EXPECT_EQ(before[0]["address"], "192.168.10.5:10061");
    EXPECT_EQ(before[0]["state"], "never");
    EXPECT_TRUE(before[0]["loaded_at"].is_null());

    const auto loaded = Load();
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_EQ(States(), (std::vector<std::string>{"never", "never", "never"}));
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 6u); // a name and a show for each host
    for (const store::HostRecord& record : records) {
        EXPECT_EQ(record.Address, "127.0.0.1");
        EXPECT_EQ(record.Port, hosts[static_cast<std::size_t>(record.HostCode - 5)]->Port());
        EXPECT_FALSE(record.AtField);
        EXPECT_TRUE(record.Completed());
        EXPECT_EQ(record.Frames, record.Sent == store::kSentShow ? 5 : 1);
    }

    const auto named = RunCli({"set-host", store, "--name", "B2", "--host-code", "6", "--target",
                               "127.0.0.1:" + std::to_string(hosts[1]->Port())});
    ASSERT_EQ(named.exitCode, 0) << named.err;
    const store::HostRecord last = show::ReadHostRecords(store).back();
    EXPECT_EQ(last.Sent, store::kSentHostName);
    EXPECT_EQ(last.HostName, "B2");
    EXPECT_EQ(last.HostCode, 6);
}

TEST_F(CliHostState, StatusSaysWhatEachHostHoldsAndStaleReachesOnlyTheOthers)
{
    hostlinktest::RecordFieldLoad(store, 5, "A1");
    hostlinktest::RecordFieldLoad(store, 6, "B2");
    hostlinktest::RecordFailedFieldLoad(store, 7, "北岸-1", 2);
    const json status = Status();
    EXPECT_EQ(status[0]["state"], "current");
    EXPECT_FALSE(status[0]["loaded_at"].is_null());
    EXPECT_EQ(status[2]["state"], "failed");
    EXPECT_EQ(status[2]["failed_at_frame"], 3);
    EXPECT_EQ(status[2]["frames"], 5);
    const auto table = RunCli({"status", store});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("failed at frame 3 of 5"), std::string::npos) << table.out;

    const auto stale = Load({"--stale"});
    ASSERT_EQ(stale.exitCode, 0) << stale.err;
    EXPECT_NE(stale.out.find(strings::FormatText(strings::kFieldSummary, 1, 1)), std::string::npos);
    EXPECT_TRUE(hosts[0]->Records().empty());
    EXPECT_TRUE(hosts[1]->Records().empty());
    EXPECT_TRUE(hosts[2]->WaitForFrames(6, 1s)); // its name, the project name, four cues

    hostlinktest::RecordFieldLoad(store, 7, "北岸-1");
    const auto none = Load({"--stale"});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out, std::string(strings::kFieldNoneStale) + "\n");
    EXPECT_EQ(hosts[2]->Records().size(), 6u) << "nothing more is sent";
}

TEST_F(CliHostState, RecordsOutliveSaveAndAChangedShowMakesEveryHostChanged)
{
    for (const auto& [code, name] : {std::pair{5, "A1"}, {6, "B2"}, {7, "北岸-1"}})
        hostlinktest::RecordFieldLoad(store, code, name);
    EXPECT_EQ(States(), (std::vector<std::string>{"current", "current", "current"}));
    ASSERT_EQ(RunCli({"assign", store, "--host", "A1", "2"}).exitCode, 0); // B2's only cue
    EXPECT_EQ(show::ReadHostRecords(store).size(), 6u);
    // Every host holds the whole show, whose second cue now says A1.
    EXPECT_EQ(States(), (std::vector<std::string>{"changed", "changed", "changed"}));
}

// A download killed (SIGKILL) mid-show leaves its record begun: what the
// host holds is then unknown (the isolated-network test shows the state).
TEST_F(CliHostState, AKilledDownloadLeavesItsRecordBegun)
{
    const auto slow = hostlinktest::StartHost({.replyDelay = 300ms});
    {
        hostlinktest::RunningProgram download(clitest::CliPath(),
                                              {"download", store, "--host-code", "5", "--target",
                                               "127.0.0.1:" + std::to_string(slow->Port())});
        ASSERT_TRUE(slow->WaitForFrames(2, 10s));
        download.Kill();
        EXPECT_EQ(download.Wait(5s), hostlinktest::RunningProgram::kKilled);
    }
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Outcome, store::kOutcomeBegun);
    EXPECT_EQ(records[0].Frames, 5);
    EXPECT_EQ(records[0].HostCode, 5);
    EXPECT_FALSE(records[0].Conversation.empty());
}

TEST_F(CliHostState, TargetsMustNameAPlannedCodeOnce)
{
    const auto unplanned = Load({"--target", "8=127.0.0.1:9"});
    EXPECT_EQ(unplanned.exitCode, 2);
    EXPECT_EQ(unplanned.err, strings::FormatText(strings::kCliTargetNotPlanned, 8) + "\n");
    const auto twice = Load({"--target", Target(5, *hosts[0])});
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.err, strings::FormatText(strings::kCliTargetTwice, 5) + "\n");
    EXPECT_EQ(RunCli({"download", store, "--stale"}).exitCode, 2) << "--stale needs --all-hosts";
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty());
}

// An Access store cannot keep records: the download says so and succeeds.
TEST_F(Cli, AnAccessStoreIsLoadedWithAWarningThatNothingIsRecorded)
{
    namespace fs = std::filesystem;
    const std::optional<std::string> copy = clitest::CliBesideStandInReader(dir.path());
    if (!copy)
        GTEST_SKIP() << "no stand-in Access reader in this build";
    const std::string program = *copy;
    const std::string source = dir.File("show.mdb");
    fs::copy_file(std::string(TAVRIN_TEST_DATA_DIR) + "/../store/fixtures/access/emptyJet4.mdb",
                  source);
    std::ofstream(source + ".tables") << "table tb_Layout\n"
                                         "column FlowID 4 4\ncolumn HostName 10 64\n"
                                         "column HostIndex 4 4\ncolumn BlastTime 4 4\n"
                                         "column Addr 10 64\ncolumn Channel 10 64\n"
                                         "column CDCode 4 4\ncolumn Sector 4 4\n"
                                         "row 0|A1|1|0|01|01|1|0\nrow 1|A1|1|500|01|02|1|0\n";
    const auto host = hostlinktest::StartHost();
    const std::string target = "127.0.0.1:" + std::to_string(host->Port());
    const auto loaded =
        clitest::RunProgram(program, {"download", source, "--host-code", "5", "--target", target});
    EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_NE(loaded.err.find(strings::kDownloadEnd), std::string::npos);
    EXPECT_NE(loaded.err.find(strings::kHostRecordsAccessStore), std::string::npos) << loaded.err;
    EXPECT_TRUE(host->WaitForFrames(3, 1s));

    const auto named = clitest::RunProgram(
        program, {"set-host", source, "--name", "A1", "--host-code", "5", "--target", target});
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(named.err, std::string(strings::kHostSettingsDone) + "\n" +
                             strings::kHostRecordsAccessStore + "\n");
}

} // namespace

TEST_F(CliHostState, SetHostRefusesACodeThePlanGivesAnotherNameUnlessForced)
{
    const std::string target = "127.0.0.1:" + std::to_string(hosts[1]->Port());
    const auto refused =
        RunCli({"set-host", store, "--name", "A1", "--host-code", "6", "--target", target});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, strings::FormatText(strings::kCliHostCodeTaken, 6, "B2") + "\n");
    EXPECT_TRUE(hosts[1]->Records().empty()) << "nothing is sent";
    EXPECT_TRUE(show::ReadHostRecords(store).empty()) << "nor recorded";

    // The name the plan gives the code, blanks around it, goes as it always did.
    ASSERT_EQ(RunCli({"set-host", store, "--name", " B2 ", "--host-code", "6", "--target", target})
                  .exitCode,
              0);
    const auto forced = RunCli(
        {"set-host", store, "--name", "A1", "--host-code", "6", "--target", target, "--force"});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(forced.err, std::string(strings::kHostSettingsDone) + "\n");
    ASSERT_TRUE(hosts[1]->WaitForFrames(2, 1s));
    EXPECT_EQ(show::ReadHostRecords(store).back().HostName, "A1");

    // A plan that cannot say whose code it is refuses as well.
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES ('C3', 6)");
    const auto unsound =
        RunCli({"set-host", store, "--name", "B2", "--host-code", "6", "--target", target});
    EXPECT_EQ(unsound.exitCode, 1);
    EXPECT_EQ(unsound.err.rfind(strings::FormatText(strings::kPlanUnsound, 1), 0), 0u)
        << unsound.err;
    EXPECT_NE(unsound.err.find(strings::kCliPlanUncheckedRefused), std::string::npos);
    EXPECT_EQ(show::ReadHostRecords(store).back().HostName, "A1") << "nothing more recorded";
    EXPECT_EQ(RunCli({"set-host", store, "--name", "B2", "--host-code", "6", "--target", target,
                      "--force"})
                  .exitCode,
              0);
    // So does one that holds a name twice, the second time with a blank.
    testsupport::RunSql(store, "DELETE FROM tb_HostPlan WHERE HostName = 'C3'");
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES ('B2 ', 7)");
    const auto twice =
        RunCli({"set-host", store, "--name", "B2", "--host-code", "7", "--target", target});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.err.find(strings::kCliPlanUncheckedRefused), std::string::npos) << twice.err;

    const auto help = RunCli({"set-host", "--help"});
    EXPECT_NE(help.out.find("--force"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find(strings::kCliSetHostForceHelp), std::string::npos) << help.out;
}
