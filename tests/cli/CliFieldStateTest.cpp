// What each host holds after loads at the field's own addresses: hosts 5 to 7
// are virtual hosts at 192.168.10.5 to .7, port 10061, and tavrin-cli runs
// without --target. Runs only inside an isolated network (run_isolated.sh),
// which it checks before anything is sent.
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostStates.h"
#include "tests/cli/CliFixture.h"
#include "tests/hostlink/RunningProgram.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

using clitest::RunCli;
using nlohmann::json;
using namespace std::chrono_literals;

// The host of `code` at its own address and port.
std::unique_ptr<hostlink::VirtualFiringHost> FieldHost(int code, int refuseFrame = 0)
{
    auto host = std::make_unique<hostlink::VirtualFiringHost>(hostlink::VirtualHostOptions{
        .address = "192.168.10." + std::to_string(code), .refuseFrame = refuseFrame});
    std::string error;
    EXPECT_TRUE(host->Start(error)) << error;
    return host;
}

class FieldState : public clitest::Cli
{
protected:
    // The four cues' store with hosts 5 to 7 planned; `refusing` (a code)
    // refuses the frame `refuseFrame`.
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> PlannedField(int refusing = 0,
                                                                           int refuseFrame = 0)
    {
        store = Store(clitest::FourCues());
        EXPECT_EQ(
            RunCli({"plan", store, "--set", "A1=5", "--set", "B2=6", "--set", "北岸-1=7"}).exitCode,
            0);
        std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
        for (int code = 5; code <= 7; ++code)
            hosts.push_back(FieldHost(code, code == refusing ? refuseFrame : 0));
        return hosts;
    }

    std::vector<std::string> States()
    {
        const clitest::CliResult result = RunCli({"status", store, "--json"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::vector<std::string> states;
        for (const json& host : Json(result))
            states.push_back(host["state"]);
        return states;
    }

    std::string store;
};

TEST_F(FieldState, StatusFollowsLoadsShowChangesAndStaleReloads)
{
    // Host 7: its name, the project name, cue 1, then cue 2 refused.
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts = PlannedField(7, 4);
    EXPECT_EQ(States(), (std::vector<std::string>{"never", "never", "never"}));

    EXPECT_EQ(RunCli({"download", store, "--all-hosts"}).exitCode, 1);
    EXPECT_EQ(States(), (std::vector<std::string>{"current", "current", "failed"}));
    const auto table = RunCli({"status", store});
    EXPECT_NE(table.out.find("failed at frame 3 of 5"), std::string::npos) << table.out;

    hosts[2].reset();        // its port is free again
    hosts[2] = FieldHost(7); // mended
    const auto stale = RunCli({"download", store, "--all-hosts", "--stale"});
    EXPECT_EQ(stale.exitCode, 0) << stale.err;
    EXPECT_EQ(hosts[0]->Records().size(), 6u) << "host 5 is reached only by the first load";
    EXPECT_EQ(hosts[1]->Records().size(), 6u);
    EXPECT_TRUE(hosts[2]->WaitForFrames(6, 1s));
    EXPECT_EQ(States(), (std::vector<std::string>{"current", "current", "current"}));

    testsupport::RunSql(store, "UPDATE tb_Layout SET BlastTime = BlastTime + 1 WHERE FlowID = 0");
    EXPECT_EQ(States(), (std::vector<std::string>{"changed", "changed", "changed"}));
    EXPECT_EQ(RunCli({"download", store, "--all-hosts", "--stale"}).exitCode, 0);
    EXPECT_EQ(States(), (std::vector<std::string>{"current", "current", "current"}));
    const auto none = RunCli({"download", store, "--all-hosts", "--stale"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, std::string(strings::kFieldNoneStale) + "\n");
    EXPECT_EQ(hosts[0]->Records().size(), 12u);
}

// A download killed (SIGKILL) in the middle of the show leaves its host
// failed, not as it was: `status` says so and --stale loads it again.
TEST_F(FieldState, ADownloadKilledMidShowLeavesItsHostFailed)
{
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts = PlannedField();
    ASSERT_EQ(RunCli({"download", store, "--all-hosts"}).exitCode, 0);
    ASSERT_EQ(States(), (std::vector<std::string>{"current", "current", "current"}));

    hosts[0].reset();
    hosts[0] = std::make_unique<hostlink::VirtualFiringHost>(hostlink::VirtualHostOptions{
        .address = "192.168.10.5", .replyDelay = 300ms}); // slow: time to kill
    std::string error;
    ASSERT_TRUE(hosts[0]->Start(error)) << error;
    {
        hostlinktest::RunningProgram download(clitest::CliPath(),
                                              {"download", store, "--host-code", "5"});
        ASSERT_TRUE(hosts[0]->WaitForFrames(2, 10s)); // the project name and the first cue
        download.Kill();
        EXPECT_EQ(download.Wait(5s), hostlinktest::RunningProgram::kKilled);
    }
    EXPECT_EQ(States(), (std::vector<std::string>{"failed", "current", "current"}));
    const auto table = RunCli({"status", store});
    EXPECT_NE(table.out.find("stopped before its end"), std::string::npos) << table.out;

    hosts[0].reset();
    hosts[0] = FieldHost(5);
    EXPECT_EQ(RunCli({"download", store, "--all-hosts", "--stale"}).exitCode, 0);
    EXPECT_TRUE(hosts[0]->WaitForFrames(6, 1s)) << "its name and the whole show";
    EXPECT_EQ(hosts[1]->Records().size(), 6u) << "the others were current";
    EXPECT_EQ(States(), (std::vector<std::string>{"current", "current", "current"}));
}

// A --target that is empty (a script's unset variable) or malformed is a
// usage error in every command that takes one: never the field's address.
TEST_F(FieldState, AnEmptyOrMalformedTargetReachesNoHost)
{
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts = PlannedField();
    for (const char* target : {"", " ", "127.0.0.1", ":10061", "5=", "192.168.10.5:"}) {
        const std::vector<std::vector<std::string>> commands = {
            {"download", store, "--host-code", "5", "--target", target},
            {"set-host", store, "--name", "A1", "--host-code", "5", "--target", target},
            {"download", store, "--all-hosts", "--target", target},
            {"download", store, "--all-hosts", "--target", "5=127.0.0.1:9", "--target", target}};
        for (const std::vector<std::string>& command : commands) {
            const clitest::CliResult result = RunCli(command);
            EXPECT_EQ(result.exitCode, 2) << command[0] << " --target '" << target << "'";
            EXPECT_NE(result.err.find("--target"), std::string::npos) << result.err;
        }
    }
    std::this_thread::sleep_for(200ms);
    for (const auto& host : hosts)
        EXPECT_TRUE(host->Records().empty()) << "nothing reached the field";
    EXPECT_TRUE(show::ReadHostRecords(store).empty());
}

} // namespace

int main(int argc, char** argv)
{
    return hostlinktest::RunTestsInsideIsolatedNetwork(argc, argv, "field state test");
}
