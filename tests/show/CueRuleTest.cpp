// Choosing cues by rule, the filter bar's rule, the timeline's double uses
// and the load sheets' grouping: the core behind the designer's tools.
#include "show/CueRule.h"

#include "show/Cue.h"
#include "show/CueFilter.h"
#include "show/LaunchTime.h"
#include "show/LoadSheet.h"
#include "show/ShowTimeline.h"

#include <gtest/gtest.h>

namespace {

show::Cue At(int flowId, const std::string& host, int time, const char* addr, const char* channel,
             int event = 1)
{
    show::Cue cue;
    cue.FlowID = flowId;
    cue.HostName = host;
    cue.BlastTime = time;
    cue.Addr = addr;
    cue.Channel = channel;
    cue.CDCode = event;
    return cue;
}

// Rows 1..6: modules 01, 02, 09, 10, 11 and -1; times on the grid's forms.
const std::vector<show::Cue> kShow = {
    At(0, "HOST", 0, "01", "00"),       At(1, "A1", 65432, "02", "01", 7),
    At(2, "A1", 3599999, "09", "05"),   At(3, " B2 ", 3600000, "10", "-1", 7),
    At(4, "HOST", 3723004, "11", "15"), At(5, "HOST", -1500, "-1", "x")};

// The matching cues as rows from 1.
std::vector<int> Match(const show::CueRule& rule)
{
    const show::Show show(kShow);
    std::vector<int> rows;
    for (const show::CueIndex cue : show::MatchingCues(show, rule))
        rows.push_back(static_cast<int>(cue) + 1);
    return rows;
}

TEST(CueRule, RangesAreInclusiveAndCombine)
{
    show::CueRule rule;
    EXPECT_EQ(Match(rule), (std::vector<int>{1, 2, 3, 4, 5, 6})) << "an empty rule matches all";
    rule.modules = show::ParseNumberRange("2-10");
    EXPECT_EQ(Match(rule), (std::vector<int>{2, 3, 4}));
    rule.from = show::ParseLaunchTime("01:05.432");
    rule.to = show::ParseLaunchTime("59:59.999");
    EXPECT_EQ(Match(rule), (std::vector<int>{2, 3}));
    rule.event = 7;
    EXPECT_EQ(Match(rule), (std::vector<int>{2}));
    rule.currentHost = "B2";
    EXPECT_TRUE(Match(rule).empty()) << "every criterion must hold";

    show::CueRule byHost;
    byHost.currentHost = "B2";
    EXPECT_EQ(Match(byHost), (std::vector<int>{4})) << "compared trimmed, as Save stores it";
    show::CueRule channels;
    channels.channels = show::ParseNumberRange("-1-1");
    EXPECT_EQ(Match(channels), (std::vector<int>{1, 2, 4, 6}))
        << "x reads as 0, as the download sends it";
    show::CueRule late;
    late.from = show::ParseLaunchTime("01:00:00.000");
    EXPECT_EQ(Match(late), (std::vector<int>{4, 5}));
    show::CueRule negative;
    negative.to = show::ParseLaunchTime("00:-1.-500");
    EXPECT_EQ(Match(negative), (std::vector<int>{6}));
}

TEST(CueRule, TextsParseAsTheGridWritesThem)
{
    EXPECT_EQ(show::ParseLaunchTime("01:05.432"), 65432);
    EXPECT_EQ(show::ParseLaunchTime("01:02:03.004"), 3723004);
    EXPECT_EQ(show::ParseLaunchTime("100:00:00.000"), 360000000);
    for (const char* bad :
         {"", "1:05", "01:60.000", "01:05.1000", "a:05.432", "1:2:3:4.5", "999999:00:00.000"})
        EXPECT_FALSE(show::ParseLaunchTime(bad)) << bad;
    EXPECT_EQ(show::ParseNumberRange("7")->last, 7);
    EXPECT_EQ(show::ParseNumberRange("-3--1")->first, -3);
    for (const char* bad : {"", "5-1", "1-", "-", "1-2-3", "a", "1,2"})
        EXPECT_FALSE(show::ParseNumberRange(bad)) << bad;
}

TEST(CueFilter, MatchesHostTimeOrNumber)
{
    auto shown = [&](const std::string& text) {
        const show::CueFilter filter(text);
        std::vector<int> rows;
        for (std::size_t cue = 0; cue < kShow.size(); ++cue)
            if (filter.Passes(kShow[cue]))
                rows.push_back(static_cast<int>(cue) + 1);
        return rows;
    };
    EXPECT_EQ(shown("  ").size(), 6u);
    EXPECT_EQ(shown("a1"), (std::vector<int>{2, 3}));
    EXPECT_EQ(shown("01:05"), (std::vector<int>{2}));
    EXPECT_EQ(shown("10"), (std::vector<int>{4})) << "a number is compared, not searched for";
    EXPECT_EQ(shown("15"), (std::vector<int>{5}));
}

TEST(ShowTimeline, LanesByHostAndFiringPointsUsedTwice)
{
    std::vector<show::Cue> cues = kShow;
    cues.push_back(At(6, "A1", 100, "2", "1")); // module 2 channel 1 of A1 again
    const show::ShowTimeline timeline = show::BuildShowTimeline(show::Show(cues));
    ASSERT_EQ(timeline.lanes.size(), 3u);
    EXPECT_EQ(timeline.lanes[0].host, "A1");
    EXPECT_EQ(timeline.first, -1500);
    EXPECT_EQ(timeline.last, 3723004);
    EXPECT_EQ(timeline.doubleUses, 2);
    const auto& a1 = timeline.lanes[0].marks;
    ASSERT_EQ(a1.size(), 3u);
    EXPECT_EQ(a1[0].cue, 6u) << "by launch time";
    EXPECT_TRUE(a1[0].doubleUse && a1[1].doubleUse && !a1[2].doubleUse);
}

TEST(LoadSheet, ModulesAndChannelsInNumberOrder)
{
    const std::vector<show::Cue> cues = {At(0, "A", 50, "10", "02"), At(1, "A", 40, "9", "03"),
                                         At(2, "A", 30, "10", "01"), At(3, "B", 5, "1", "0")};
    const auto sheets = show::BuildLoadSheets(cues, [](const std::string& host) {
        return host == "B" ? std::optional<int>(17) : std::nullopt;
    });
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_FALSE(sheets[0].hostCode);
    EXPECT_EQ(sheets[1].hostCode, 17);
    ASSERT_EQ(sheets[0].modules.size(), 2u);
    EXPECT_EQ(sheets[0].modules[0].module, "9");
    EXPECT_EQ(sheets[0].modules[1].cues[0].channel, "01");
    EXPECT_EQ(show::LoadSheetTable(sheets).size(), 5u);
}

} // namespace
