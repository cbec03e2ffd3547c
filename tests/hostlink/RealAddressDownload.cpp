// The download and the host-name setting with the field's own address, port
// and waits: host code 5 is 192.168.10.5:10061, played by tavrin-virtual-host.
// Runs only inside an isolated network (run_isolated.sh): it checks that the
// network has no interface but loopback before anything is sent.
#include "hostlink/FieldLoad.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/SendHostName.h"
#include "hostlink/SendShow.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/RunningProgram.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace hostlink;
using namespace hostlinktest;
using nlohmann::json;

namespace {

const std::string kTool = VirtualHostToolPath();

// The virtual host at 192.168.10.5:10061, with extra options.
class VirtualHostTool
{
public:
    explicit VirtualHostTool(std::vector<std::string> options)
        : tool_(kTool, WithAddress(std::move(options)))
    {
        const auto line = tool_.ReadLine(5000ms);
        listening_ = line.has_value();
        if (listening_) {
            const json first = json::parse(*line);
            listening_ =
                first.value("listening", "") == "192.168.10.5" && first.value("port", 0) == 10061;
        }
    }
    bool Listening() const { return listening_; }
    std::vector<json> Frames(std::size_t count)
    {
        std::vector<json> frames;
        while (frames.size() < count) {
            const auto line = tool_.ReadLine(5000ms);
            if (!line)
                break;
            frames.push_back(json::parse(*line));
        }
        return frames;
    }

private:
    static std::vector<std::string> WithAddress(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--address", "192.168.10.5"});
        return options;
    }
    RunningProgram tool_;
    bool listening_ = false;
};

std::vector<StoreRow> FieldShow()
{
    std::vector<StoreRow> rows =
        NumberedRows(10, [](int flowId) { return flowId % 2 == 0 ? "东区" : "HOST-2"; });
    rows[3].BlastTime = 99999; // last in launch-time order
    return rows;
}

} // namespace

TEST(RealAddress, DownloadReachesHostCodeFiveWithTheBuiltInSettings)
{
    VirtualHostTool host({});
    ASSERT_TRUE(host.Listening());
    testsupport::TempDir dir;
    const std::vector<show::Cue> cues = ReadDownloadCues(MakeShowStore(dir, FieldShow()));
    const DownloadResult result = SendShow({{.hostCode = 5}, cues}); // the built-in options
    EXPECT_TRUE(result.Completed());
    EXPECT_EQ(result.acknowledged, 10u);

    const std::vector<json> frames = host.Frames(11);
    ASSERT_EQ(frames.size(), 11u);
    EXPECT_EQ(frames[0]["type"], "project-name");
    EXPECT_EQ(frames[0]["name"], "Velmora");
    const int expectedCodes[] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 3};
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const int code = expectedCodes[i - 1];
        EXPECT_EQ(frames[i]["type"], "cue");
        EXPECT_EQ(frames[i]["CDCode"], code);
        EXPECT_EQ(frames[i]["HostName"], code % 2 == 0 ? "东区" : "HOST-2");
        EXPECT_EQ(frames[i]["position"], i == 1 ? 0 : i == 10 ? 2 : 1);
        EXPECT_EQ(frames[i]["reply"], "accepted");
        EXPECT_FALSE(frames[i].contains("problem")) << frames[i].dump();
    }
}

TEST(RealAddress, HostNameReachesHostCodeFive)
{
    VirtualHostTool host({});
    ASSERT_TRUE(host.Listening());
    const HostNameChoice name = ChooseHostName({{"东区", true}});
    EXPECT_TRUE(SendHostName({{.hostCode = 5}, name.frame}).Completed()); // the built-in options
    const std::vector<json> frames = host.Frames(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]["name"], "东区");
}

TEST(RealAddress, HostFallingSilentIsGivenUpAfterTheBuiltInWait)
{
    VirtualHostTool host({"--silent-from", "6"});
    ASSERT_TRUE(host.Listening());
    testsupport::TempDir dir;
    const std::vector<show::Cue> cues = ReadDownloadCues(MakeShowStore(dir, NumberedRows(10)));
    std::vector<int> percents;
    const auto start = std::chrono::steady_clock::now();
    const DownloadResult result = SendShow(
        {{.hostCode = 5}, cues, [&percents](int percent) { percents.push_back(percent); }});
    EXPECT_GE(std::chrono::steady_clock::now() - start, 4900ms);
    EXPECT_EQ(Shown(result).text, strings::kHostEchoTimeout);
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 40);
}

TEST(RealAddress, FieldOfHostCodesFiveToSevenIsNamedAndLoaded)
{
    const std::vector<std::string> names = {"东区", "HOST-2", "West"};
    std::vector<std::unique_ptr<VirtualFiringHost>> hosts;
    std::vector<hostlink::FieldHost> field;
    for (int code = 5; code <= 7; ++code) {
        VirtualHostOptions options;
        options.address = "192.168.10." + std::to_string(code);
        hosts.push_back(std::make_unique<VirtualFiringHost>(options));
        std::string error;
        ASSERT_TRUE(hosts.back()->Start(error)) << error;
        field.push_back({names[static_cast<std::size_t>(code - 5)], code, {}}); // built-in
    }
    const std::vector<show::Cue> cues = FieldCues(30, names);
    const auto states = LoadField({cues, field});
    EXPECT_TRUE(FieldComplete(states));
    for (std::size_t i = 0; i < hosts.size(); ++i)
        ExpectNamedAndLoaded(*hosts[i], names[i], cues);
}

int main(int argc, char** argv)
{
    return RunTestsInsideIsolatedNetwork(argc, argv, "real-address test");
}
