#include "hostlink/Frames.h"
#include "hostlink/SendHostName.h"
#include "platform/Udp.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/hostlink/RunningProgram.h"
#include "tools/virtual-host/NetworkIsolation.h"

#include <array>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace hostlink;
using namespace hostlinktest;
using nlohmann::json;

namespace {

const std::string kTool = VirtualHostToolPath();

json ReadJsonLine(RunningProgram& tool)
{
    const std::optional<std::string> line = tool.ReadLine(5000ms);
    EXPECT_TRUE(line) << "no line from the tool";
    return line ? json::parse(*line) : json();
}

// Tells the host on loopback at `port` its name; true when it accepted.
bool SetHostName(const std::string& name, std::uint16_t port)
{
    const HostNameChoice choice = ChooseHostName({{name, true}});
    return SendHostName({{1, LoopbackOptions(port)}, choice.frame}).Completed();
}

} // namespace

TEST(VirtualHostTool, PrintsEachFrameAsOneJsonLine)
{
    RunningProgram tool(kTool, {"--port", "0", "--refuse-frame", "2"});
    ASSERT_TRUE(tool.Started());
    const json listening = ReadJsonLine(tool);
    ASSERT_EQ(listening.value("listening", ""), "127.0.0.1");
    const auto port = listening["port"].get<std::uint16_t>();
    ASSERT_NE(port, 0);

    EXPECT_TRUE(SetHostName("烟花\"1\"", port));
    EXPECT_FALSE(SetHostName("B", port)); // frame 2 is refused

    const json first = ReadJsonLine(tool);
    EXPECT_EQ(first["frame"], 1);
    EXPECT_EQ(first["type"], "host-name");
    EXPECT_EQ(first["name"], "烟花\"1\""); // decoded from GBK
    EXPECT_EQ(first["reply"], "accepted");
    const json second = ReadJsonLine(tool);
    EXPECT_EQ(second["frame"], 2);
    EXPECT_EQ(second["reply"], "refused");
    tool.Terminate();
    EXPECT_EQ(tool.Wait(5000ms), 0);
}

TEST(VirtualHostTool, ExitsAfterTheFramesAskedFor)
{
    RunningProgram tool(kTool, {"--port", "0", "--exit-after", "1"});
    ASSERT_TRUE(tool.Started());
    const auto port = ReadJsonLine(tool)["port"].get<std::uint16_t>();
    EXPECT_TRUE(SetHostName("A", port));
    EXPECT_EQ(ReadJsonLine(tool)["frame"], 1);
    EXPECT_EQ(tool.Wait(5000ms), 0);
}

TEST(VirtualHostTool, RefusesAnAddressThatCouldReachARealNetwork)
{
    if (OnlyLoopbackInterfaces())
        GTEST_SKIP() << "inside an isolated network every address is contained";
    RunningProgram tool(kTool, {"--address", "192.168.10.5", "--port", "0"});
    ASSERT_TRUE(tool.Started());
    EXPECT_EQ(tool.Wait(5000ms), 2);
}

TEST(VirtualHostTool, RejectsOptionsItDoesNotKnowOrCannotRead)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                                 {"--port", "70000"},
                                                 {"--refuse-frame", "x"},
                                                 {"--reply-delay"}}) {
        RunningProgram tool(kTool, args);
        ASSERT_TRUE(tool.Started());
        EXPECT_EQ(tool.Wait(5000ms), 2) << args[0];
    }
}

TEST(VirtualHostTool, PlaysAHostOnEachListenAndNamesWhereEachFrameArrived)
{
    RunningProgram tool(kTool, {"--listen", "127.0.0.1:0", "--listen", "127.0.0.1:0",
                                "--reply-twice", "30", "--exit-after", "2"});
    ASSERT_TRUE(tool.Started());
    const json first = ReadJsonLine(tool);
    const json second = ReadJsonLine(tool);
    ASSERT_NE(first["port"], second["port"]);
    for (const json& listening : {second, first}) {
        // A raw socket: the repeated reply must reach it, 30 ms after the first.
        const platform::udp::Handle socket = platform::udp::OpenSocket();
        HostNameFrame frame;
        ASSERT_TRUE(BuildHostNameFrame("A", frame));
        ASSERT_TRUE(platform::udp::SendTo(socket, frame.bytes,
                                          {0x7F000001, listening["port"].get<std::uint16_t>()}));
        std::array<std::uint8_t, 8> reply{};
        platform::udp::Endpoint from;
        const auto start = std::chrono::steady_clock::now();
        for (int answer = 0; answer < 2; ++answer) {
            ASSERT_EQ(platform::udp::WaitReadable(std::span(&socket, 1), 2000ms).status,
                      platform::udp::Readiness::kReady);
            EXPECT_EQ(platform::udp::ReceiveFrom(socket, reply, from), 4);
        }
        EXPECT_GE(std::chrono::steady_clock::now() - start, 25ms);
        platform::udp::CloseSocket(socket);
        EXPECT_EQ(ReadJsonLine(tool)["listen"], listening["listen"]);
    }
    EXPECT_EQ(tool.Wait(5000ms), 0);
}
