// tavrin-cli's host commands, run as the real program against the virtual
// firing host on loopback: download, set-host and simulate-host. Every
// --target here is 127.0.0.1.
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/cli/CliFixture.h"
#include "tests/hostlink/RunningProgram.h"

#include <fstream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using clitest::Cli;
using clitest::FourCues;
using clitest::Line;
using clitest::RunCli;
using hostlink::DecodedFrame;
using hostlinktest::FramesOfKind;
using nlohmann::json;

std::string Target(const hostlink::VirtualFiringHost& host)
{
    return "127.0.0.1:" + std::to_string(host.Port());
}

// A download that was asked to stop: exit code 1, "cancel download..." last.
void ExpectCancelledDownload(const std::optional<int>& exitCode,
                             hostlinktest::RunningProgram& download)
{
    ASSERT_TRUE(exitCode);
    EXPECT_EQ(*exitCode, 1);
    std::vector<std::string> lines;
    while (const std::optional<std::string> line = download.ReadLine(1s))
        lines.push_back(*line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), strings::kCancelDownload);
}

TEST_F(Cli, DownloadSendsEveryCueInLaunchOrderAndEndsWithTheTotal)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost();
    const auto result = RunCli({"download", store, "--host-code", "5", "--target", Target(*host)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto cues = FramesOfKind(*host, DecodedFrame::kCue);
    ASSERT_EQ(cues.size(), 4u);
    EXPECT_EQ(FramesOfKind(*host, DecodedFrame::kProjectName).size(), 1u);
    const std::vector<std::string> names = {"B2", "A1", "A1", "北岸-1"};
    const std::vector<int> positions = {0, 1, 1, 2};
    for (std::size_t i = 0; i < cues.size(); ++i) {
        EXPECT_EQ(cues[i].frame.name, names[i]) << i;
        EXPECT_EQ(cues[i].frame.position, positions[i]) << i;
    }
    EXPECT_EQ(cues[3].frame.Addr, 7);
    EXPECT_EQ(cues[3].frame.Channel, 11);
    // Not a terminal: one plain line per new percent, then the end texts.
    EXPECT_EQ(result.err, "downloaded：25％\ndownloaded：50％\ndownloaded：75％\n"
                          "downloaded：100％\ndownload end...\ndownload total：4fire record...\n");
}

TEST_F(Cli, DownloadRefusesAShowWithCheckErrorsUnlessForced)
{
    std::vector<hostlinktest::StoreRow> rows = FourCues();
    rows[1].BlastTime = -1;
    const std::string store = Store(rows);
    const auto host = hostlinktest::StartHost();
    const auto refused = RunCli({"download", store, "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find(strings::kCheckNegativeTime), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(strings::FormatText(strings::kCliCheckRefused, 1)),
              std::string::npos);
    EXPECT_TRUE(host->Records().empty()) << "nothing may reach the host";

    const auto forced =
        RunCli({"download", store, "--host-code", "5", "--target", Target(*host), "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(FramesOfKind(*host, DecodedFrame::kCue).size(), 4u);
}

TEST_F(Cli, DownloadRefusesNullLaunchTimesOfAStoreMadeElsewhere)
{
    const std::string store = dir.File("nulls.db"); // no NOT NULL: another program's table
    testsupport::MakeEmptySqliteFile(store);
    testsupport::RunSql(store, "CREATE TABLE tb_Layout(FlowID int, HostName text, HostIndex int, "
                               "BlastTime int, Addr text, Channel text, CDCode int, Sector int)");
    testsupport::RunSql(store, "INSERT INTO tb_Layout VALUES (0,'A1',1,NULL,'01','00',1,0)");
    const auto host = hostlinktest::StartHost();
    const auto result = RunCli({"download", store, "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(strings::FormatText(strings::kCheckNullNumber, "BlastTime")),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(host->Records().empty()) << "a NULL launch time would fire at the start";
}

TEST_F(Cli, DownloadThatTheHostRefusesExitsWithOne)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost({.refuseFrame = 3});
    const auto result = RunCli({"download", store, "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "downloaded：25％\n" + Line(strings::kCueRefused));
    EXPECT_EQ(host->Records().size(), 3u) << "the download ends at the refused cue";
}

TEST_F(Cli, DownloadOfAnEmptyShowIsRefusedByTheCheck)
{
    const std::string store = Store({});
    const auto host = hostlinktest::StartHost();
    const auto result = RunCli({"download", store, "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(strings::kCheckEmptyShow), std::string::npos) << result.err;
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(Cli, DownloadHostCodeAndTargetMistakesAreUsageErrors)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--host-code", "", "--target", Target(*host)}, strings::kPleaseInputHostCode},
        {{"--host-code", "0", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "253", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "abc", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "1e1", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "12abc", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "+5", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "5.0", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", " 5", "--target", Target(*host)}, strings::kHostCodeOutOfRange},
        {{"--host-code", "5", "--target", "127.0.0.1"},
         strings::FormatText(strings::kCliBadAddressPort, "--target", "127.0.0.1")},
        {{"--host-code", "5", "--target", "127.0.0.1:0"},
         strings::FormatText(strings::kCliBadAddressPort, "--target", "127.0.0.1:0")},
    };
    for (const auto& [options, text] : cases) {
        std::vector<std::string> args = {"download", store};
        args.insert(args.end(), options.begin(), options.end());
        const auto result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(options);
        EXPECT_EQ(result.err, Line(text));
    }
    EXPECT_TRUE(host->Records().empty());
}

TEST_F(Cli, SetHostSendsOneOfTheShowsNamesOnly)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost();
    const auto sent = RunCli(
        {"set-host", store, "--name", "北岸-1", "--host-code", "252", "--target", Target(*host)});
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_EQ(sent.err, Line(strings::kHostSettingsDone));
    const auto names = FramesOfKind(*host, DecodedFrame::kHostName);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].frame.name, "北岸-1");

    const auto unknown =
        RunCli({"set-host", store, "--name", "C3", "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, Line(strings::FormatText(strings::kCliHostNotInShow, "C3")));
    const auto badCode =
        RunCli({"set-host", store, "--name", "A1", "--host-code", "0", "--target", Target(*host)});
    EXPECT_EQ(badCode.exitCode, 2);
    EXPECT_EQ(badCode.err, Line(strings::kHostSettingsBadCode));
    EXPECT_EQ(host->Records().size(), 1u);
}

TEST_F(Cli, SetHostThatTheHostRefusesExitsWithOne)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost({.refuseFrame = 1});
    const auto result =
        RunCli({"set-host", store, "--name", "A1", "--host-code", "5", "--target", Target(*host)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, Line(strings::kHostSettingsFailed));
}

// Ctrl-C stops a download between cues: the cue in flight is still
// acknowledged, nothing follows it, and the user is told the download was
// cancelled.
TEST_F(Cli, CtrlCStopsADownloadAfterTheCueInFlight)
{
    std::vector<hostlinktest::StoreRow> rows;
    for (int i = 0; i < 20; ++i)
        rows.push_back({.FlowID = i,
                        .HostName = "A1",
                        .BlastTime = i * 100,
                        .Addr = "01",
                        .Channel = std::to_string(i)});
    const std::string store = Store(rows);
    const auto host = hostlinktest::StartHost({.replyDelay = 100ms});
    // standard error joins standard output so that the child's texts can be
    // read line by line
    hostlinktest::RunningProgram download(
        clitest::CliPath(), {"download", store, "--host-code", "5", "--target", Target(*host)},
        true);
    ASSERT_TRUE(download.Started());
    ASSERT_TRUE(host->WaitForFrames(4, 10s));
    download.Interrupt();
    const std::optional<int> exitCode = download.Wait(10s);
    ExpectCancelledDownload(exitCode, download);
    const std::size_t received = host->Records().size();
    EXPECT_LT(received, rows.size() + 1) << "the download must stop early";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(host->Records().size(), received) << "nothing is sent after the cancel";
    for (const auto& record : host->Records())
        EXPECT_EQ(record.reply, hostlink::HostFrameRecord::kAccepted);
}

// The dry run of the walkthrough: simulate-host in one process, download and
// set-host to it from another.
TEST_F(Cli, DryRunAgainstSimulateHost)
{
    hostlinktest::RunningProgram simulator(clitest::CliPath(),
                                           {"simulate-host", "--listen", "127.0.0.1:0"});
    ASSERT_TRUE(simulator.Started());
    const std::optional<std::string> first = simulator.ReadLine(5000ms);
    ASSERT_TRUE(first);
    const json listening = json::parse(*first);
    ASSERT_EQ(listening["listening"], "127.0.0.1");
    const std::string target = "127.0.0.1:" + std::to_string(listening["port"].get<int>());

    const std::string store = Store(FourCues());
    ASSERT_EQ(RunCli({"download", store, "--host-code", "5", "--target", target}).exitCode, 0);
    ASSERT_EQ(RunCli({"set-host", store, "--name", "B2", "--host-code", "5", "--target", target})
                  .exitCode,
              0);
    std::vector<json> frames;
    for (int i = 0; i < 6; ++i) {
        const std::optional<std::string> line = simulator.ReadLine(5000ms);
        ASSERT_TRUE(line) << "frame " << i + 1;
        frames.push_back(json::parse(*line));
    }
    EXPECT_EQ(frames[0]["type"], "project-name");
    EXPECT_EQ(frames[1]["HostName"], "B2");
    EXPECT_EQ(frames[4]["HostName"], "北岸-1");
    EXPECT_EQ(frames[4]["position"], 2);
    EXPECT_EQ(frames[5]["type"], "host-name");
    EXPECT_EQ(frames[5]["name"], "B2");
    for (const json& frame : frames)
        EXPECT_EQ(frame["reply"], "accepted");
    simulator.Terminate();
    EXPECT_EQ(simulator.Wait(5000ms), 0);
}

TEST_F(Cli, SimulateHostFaultOptionsReachTheHost)
{
    hostlinktest::RunningProgram simulator(
        clitest::CliPath(),
        {"simulate-host", "--listen", "127.0.0.1:0", "--refuse-frame", "2", "--exit-after", "2"});
    ASSERT_TRUE(simulator.Started());
    const std::optional<std::string> first = simulator.ReadLine(5000ms);
    ASSERT_TRUE(first);
    const std::string target =
        "127.0.0.1:" + std::to_string(json::parse(*first)["port"].get<int>());
    const auto result =
        RunCli({"download", Store(FourCues()), "--host-code", "1", "--target", target});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, Line(strings::kCueRefused));
    EXPECT_EQ(simulator.Wait(5000ms), 0) << "--exit-after 2 ends it";
}

// Each failure says what failed: the field summary the cue a host refused
// (the Download dialog keeps its own words), and `assign` a store it cannot
// read, which it never came to write.
TEST_F(Cli, FailuresSayWhatFailed)
{
    const std::string store = Store(FourCues());
    ASSERT_EQ(
        RunCli({"plan", store, "--set", "A1=5", "--set", "B2=6", "--set", "北岸-1=7"}).exitCode, 0);
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
    std::vector<std::string> load = {"download", store, "--all-hosts"};
    for (int code = 5; code <= 7; ++code) {
        hosts.push_back(hostlinktest::StartHost({.refuseFrame = code == 7 ? 3 : 0}));
        load.insert(load.end(), {"--target", std::to_string(code) + "=" + Target(*hosts.back())});
    }
    const auto loaded = RunCli(load);
    EXPECT_EQ(loaded.exitCode, 1);
    // Its name, the project name, then the first cue: the download's frame 2.
    EXPECT_NE(loaded.out.find(strings::FormatText(strings::kCliHostRefusedCue, 2)),
              std::string::npos)
        << loaded.out;
    EXPECT_EQ(loaded.out.find(strings::kCueRefused), std::string::npos) << loaded.out;

    const std::string text = dir.File("notes.db");
    std::ofstream(text) << "not a show store";
    const auto assigned = RunCli({"assign", text, "--host", "A1", "1"});
    EXPECT_EQ(assigned.exitCode, 1);
    EXPECT_EQ(assigned.err.rfind(strings::FormatText(strings::kAssignReadFailed, ""), 0), 0u)
        << assigned.err;
}

} // namespace

TEST_F(Cli, CtrlCDuringASilentHostsWaitEndsWithinHalfASecond)
{
    const std::string store = Store(FourCues());
    const auto host = hostlinktest::StartHost({.silentFrom = 3});
    hostlinktest::RunningProgram download(
        clitest::CliPath(), {"download", store, "--host-code", "5", "--target", Target(*host)},
        true);
    ASSERT_TRUE(download.Started());
    ASSERT_TRUE(host->WaitForFrames(3, 10s));
    std::this_thread::sleep_for(200ms); // well into the 5 s wait
    const auto start = std::chrono::steady_clock::now();
    download.Interrupt();
    const std::optional<int> exitCode = download.Wait(10s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    ExpectCancelledDownload(exitCode, download);
}

TEST_F(Cli, FieldLoadNeedsACodeForEveryHostNameAndThenLoadsThemAll)
{
    const std::string store = Store(FourCues());
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
    std::vector<std::string> load = {"download", store, "--all-hosts"};
    for (int code = 5; code <= 7; ++code) {
        hosts.push_back(hostlinktest::StartHost());
        load.insert(load.end(), {"--target", std::to_string(code) + "=" + Target(*hosts.back())});
    }
    ASSERT_EQ(RunCli({"plan", store, "--set", "A1=5", "--set", "B2=6"}).exitCode, 0);
    const auto refused = RunCli(load);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find(strings::FormatText(strings::kFieldUnplanned, "北岸-1")),
              std::string::npos)
        << refused.err;
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty()) << "nothing is sent to any host";

    EXPECT_EQ(RunCli({"plan", store, "--set", "北岸-1=5"}).exitCode, 1); // 5 is A1's
    ASSERT_EQ(RunCli({"plan", store, "--set", "北岸-1=7"}).exitCode, 0);
    // A rehearsal that moves hosts 5 and 6 only must not reach host 7 in the field.
    const std::vector<std::string> partly(load.begin(), load.end() - 2);
    EXPECT_EQ(RunCli(partly).exitCode, 2);
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty());
    const auto loaded = RunCli(load);
    EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_NE(loaded.out.find(strings::FormatText(strings::kFieldSummary, 3, 3)),
              std::string::npos);
    for (const auto& host : hosts)
        EXPECT_TRUE(host->WaitForFrames(6, 1s)); // its name, the project name, four cues
}
