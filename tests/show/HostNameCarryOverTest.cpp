#include "show/HostNameCarryOver.h"

#include "show/CueKeyIndex.h"

#include <gtest/gtest.h>

namespace {

show::Cue At(const char* module, const char* channel, int launch, const char* host = "HOST")
{
    show::Cue cue;
    cue.Addr = module;
    cue.Channel = channel;
    cue.BlastTime = launch;
    cue.HostName = host;
    return cue;
}

std::vector<std::string> Names(const std::vector<show::Cue>& cues)
{
    std::vector<std::string> names;
    for (const show::Cue& cue : cues)
        names.push_back(cue.HostName);
    return names;
}

TEST(CarryHostNames, EachRuleIsAPassOverAllNewCuesAndEachOldCueServesOnce)
{
    const std::vector<show::Cue> old = {
        At("01", "00", 100, "N1"), At("01", "00", 100, "N2"), // one point fired twice
        At("01", "01", 200, "N1"),                            // moved below
        At("02", "00", 300, "S2"), At("02", "01", 400, "S2"), // module 02 is all S2
        At("03", "00", 500, "E3"), At("03", "01", 600, "W3"), // module 03 is mixed
        At("04", "00", 700, "X4"),                            // gone below
    };
    std::vector<show::Cue> fresh = {
        At("01", "01", 250),  // rule 2: its point, another time
        At("01", "00", 100),  // rule 1, the first old cue
        At("01", "00", 100),  // rule 1, the second old cue
        At("01", "00", 100),  // no third old cue: rule 3 fails (N1, N2), rule 4
        At("02", "05", 900),  // rule 3: a new channel of an all-S2 module
        At("03", "05", 900),  // rule 4: module 03 had two names
        At("03", "00", 500),  // rule 1, though it comes after cues of rule 2
        At("09", "00", 1000), // a new module: rule 4
    };
    const show::CarryOver carried = show::CarryHostNames(fresh, old);
    EXPECT_EQ(Names(fresh),
              (std::vector<std::string>{"N1", "N1", "N2", "HOST", "S2", "HOST", "E3", "HOST"}));
    EXPECT_EQ(carried.retimed, 1);
    EXPECT_EQ(carried.added, 4);
    EXPECT_EQ(carried.removed, 4) << "02/00, 02/01, 03/01 and 04/00 found no new cue";
    EXPECT_EQ(carried.kept, 5);
    EXPECT_EQ(carried.fellBack, 3);
}

TEST(CarryHostNames, TheSameShowIsTheSameCuesWhateverTheirNames)
{
    std::vector<show::Cue> a = {At("01", "00", 0, "A"), At("01", "01", 10, "B")};
    std::vector<show::Cue> b = {At("01", "00", 0), At("01", "01", 10)};
    EXPECT_TRUE(show::SameCuesApartFromHostNames(a, b));
    b[1].CDCode = 3;
    EXPECT_FALSE(show::SameCuesApartFromHostNames(a, b));
    b.pop_back();
    EXPECT_FALSE(show::SameCuesApartFromHostNames(a, b));
}

} // namespace

TEST(CueKeyIndex, NumbersEveryKeyOnceBeyondTheRoomItWasGiven)
{
    show::CueKeyIndex index(1);
    bool added = false;
    for (std::size_t n = 0; n < 5000; ++n) {
        EXPECT_EQ(index.Add({n % 100, static_cast<std::int64_t>(n)}, added), n);
        EXPECT_TRUE(added);
    }
    EXPECT_EQ(index.Add({7, 7}, added), 7u);
    EXPECT_FALSE(added);
    EXPECT_EQ(index.Find({99, 4999}), 4999u);
    EXPECT_EQ(index.Find({99, show::CueKey::kUntimed}), std::nullopt);
}
