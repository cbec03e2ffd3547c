#include "hostlink/FieldLoad.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace hostlink;
using namespace hostlinktest;

namespace {

const std::vector<std::string> kNames = {"东区", "WEST", "North 3"};

// Every host on a virtual host of its own on loopback.
struct Field
{
    std::vector<std::unique_ptr<VirtualFiringHost>> hosts;
    std::vector<FieldHost> planned;

    Field(const std::vector<VirtualHostOptions>& faults, std::chrono::milliseconds wait)
    {
        for (std::size_t i = 0; i < faults.size(); ++i) {
            hosts.push_back(StartHost(faults[i]));
            planned.push_back(
                {kNames[i], static_cast<int>(5 + i), LoopbackOptions(hosts.back()->Port(), wait)});
        }
    }
    std::vector<FieldHostState> Load(const std::vector<show::Cue>& cues, std::stop_token stop)
    {
        return LoadField({cues, planned, std::move(stop)});
    }
};

} // namespace

TEST(FieldPlanning, NamesWithCuesButNoCodeAreListed)
{
    const FieldPlanning field = PlanField(FieldCues(6, kNames), {{"WEST", 4}, {"Gone", 9}},
                                          [](int) { return HostLinkOptions{}; });
    ASSERT_EQ(field.hosts.size(), 1u);
    EXPECT_EQ(field.hosts[0].hostName, "WEST");
    EXPECT_EQ(field.hosts[0].cues, 2);
    EXPECT_EQ(field.unplanned, (std::vector<std::string>{"North 3", "东区"}));
}

TEST(FieldLoad, EveryHostGetsItsNameAndTheWholeShow)
{
    Field field({{}, {}, {}}, 3000ms);
    const std::vector<show::Cue> cues = FieldCues(40, kNames);
    std::mutex mutex;
    std::vector<std::vector<FieldHostState::Phase>> phases(kNames.size());
    const std::vector<FieldHostState> states =
        LoadField({cues, field.planned, {}, [&](std::size_t host, const FieldHostState& state) {
                       const std::lock_guard lock(mutex);
                       if (phases[host].empty() || phases[host].back() != state.phase)
                           phases[host].push_back(state.phase);
                   }});
    EXPECT_TRUE(FieldComplete(states));
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(states[i].percent, 100);
        EXPECT_FALSE(states[i].result.failure);
        EXPECT_EQ(phases[i], (std::vector{FieldHostState::kNaming, FieldHostState::kDownloading,
                                          FieldHostState::kDone}));
        ExpectNamedAndLoaded(*field.hosts[i], kNames[i], cues);
    }
}

TEST(FieldLoad, HostNameOfBlanksFailsThatHostBeforeAnythingIsSentToIt)
{
    const std::vector<std::string> names = {"A", "   "};
    Field field({{}, {}}, 3000ms);
    field.planned[1].hostName = names[1];
    const std::vector<FieldHostState> states = field.Load(FieldCues(4, names), {});
    EXPECT_EQ(states[0].phase, FieldHostState::kDone);
    EXPECT_EQ(states[1].phase, FieldHostState::kFailed);
    EXPECT_EQ(Shown(states[1].result).text, strings::kHostSettingsBadName);
    EXPECT_TRUE(field.hosts[1]->Records().empty());
}

TEST(FieldLoad, SilentHostFailsAloneWithTheSystemsText)
{
    Field field({{}, {.silentFrom = 3}, {}}, 300ms);
    const std::vector<show::Cue> cues = FieldCues(10, kNames);
    const std::vector<FieldHostState> states = field.Load(cues, {});
    EXPECT_FALSE(FieldComplete(states));
    EXPECT_EQ(states[1].phase, FieldHostState::kFailed);
    EXPECT_EQ(Shown(states[1].result).text, strings::kHostEchoTimeout);
    EXPECT_EQ(states[0].phase, FieldHostState::kDone);
    EXPECT_EQ(states[2].phase, FieldHostState::kDone);
    ExpectNamedAndLoaded(*field.hosts[2], kNames[2], cues);
}

// A host's name is listened to while its show goes: a second answer to the
// name, however late in the show it comes, fails that host alone.
TEST(FieldLoad, ASecondAnswerToTheNameDuringTheShowFailsThatHost)
{
    Field field({{}, {.replyDelay = 5ms, .repeatedFrames = {{1, 150ms}}}, {}}, 3000ms);
    const std::vector<FieldHostState> states = field.Load(FieldCues(30, kNames), {});
    EXPECT_EQ(states[0].phase, FieldHostState::kDone);
    EXPECT_EQ(states[2].phase, FieldHostState::kDone);
    EXPECT_EQ(states[1].phase, FieldHostState::kFailed);
    EXPECT_EQ(Shown(states[1].result).text, strings::kHostSettingsAnsweredTwice);
    EXPECT_EQ(FramesOfKind(*field.hosts[1], DecodedFrame::kCue).size(), 30u)
        << "the show went whole, and is not to be trusted either way";
}

TEST(FieldLoad, CancelStopsEveryWaitingHostWithinHalfASecond)
{
    // One host silent at its name, one at its first cue: both wait 5 s.
    Field field({{.silentFrom = 1}, {.silentFrom = 3}}, kHostTimeout);
    std::stop_source cancel;
    std::vector<FieldHostState> states;
    std::jthread load([&] { states = field.Load(FieldCues(10, kNames), cancel.get_token()); });
    ASSERT_TRUE(field.hosts[1]->WaitForFrames(3, 3000ms));
    const auto start = std::chrono::steady_clock::now();
    cancel.request_stop();
    load.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    for (const FieldHostState& state : states) {
        EXPECT_EQ(state.phase, FieldHostState::kCancelled);
        EXPECT_FALSE(state.result.failure);
    }
}
