// The host plan's rules, whatever kind of value a store made elsewhere holds.
#include "show/HostPlan.h"

#include <gtest/gtest.h>

namespace {

using show::Failure;

TEST(HostPlanRules, EveryRuleBrokenIsNamedOnce)
{
    const std::vector<Failure> problems = show::PlanProblems({
        {"A", ado::Variant::I4(1)},
        {"B", ado::Variant::I4(252)},
        {"N", ado::Variant::Null()},
        {"T", ado::Variant::Bstr("7")},
        {"F", ado::Variant::R8(3.5)},
        {"W", ado::Variant::R8(9.0)}, // a whole number, whatever its kind
        {"Z", ado::Variant::I4(0)},
        {"X", ado::Variant::I4(253)},
        {"C", ado::Variant::I4(1)},
        {"D", ado::Variant::I4(8)},
        {"D", ado::Variant::I4(8)},
        {"D", ado::Variant::I4(10)},
    });
    std::vector<std::string> said;
    for (const Failure& problem : problems)
        said.push_back(problem.what());
    EXPECT_EQ(said, (std::vector<std::string>{"plan-code-invalid N NULL", "plan-code-invalid T '7'",
                                              "plan-code-invalid F 3.5",
                                              "plan-code-out-of-range Z", // row 0 goes unsaid
                                              "plan-code-out-of-range 253 X",
                                              "plan-code-taken 1 A C", "plan-name-twice D"}));
    EXPECT_TRUE(show::PlanProblems(show::PlanRows({{"A", 1}, {"B", 252}})).empty());
}

// Another program may store a name with blanks around it: it is the same
// host name as without, for the plan's rules as for the show's names.
TEST(HostPlanRules, NamesEqualOnceTrimmedAreOneName)
{
    const std::vector<Failure> problems = show::PlanProblems({
        {"SOUTH-1", ado::Variant::I4(5)},
        {"SOUTH-1 ", ado::Variant::I4(6)},
        {"\xE3\x80\x80NORTH", ado::Variant::I4(7)},
        {"NORTH", ado::Variant::I4(7)}, // twice, though with one code
    });
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Code(), show::FailureCode::kPlanNameTwice);
    EXPECT_EQ(problems[1].Code(), show::FailureCode::kPlanNameTwice);
    std::vector<show::Cue> cues(3);
    cues[0].HostName = "EAST ";
    cues[1].HostName = "EAST";
    cues[2].HostName = "\xE3\x80\x80WEST";
    EXPECT_EQ(show::CuesByHostName(cues), (std::map<std::string, int>{{"EAST", 2}, {"WEST", 1}}));
}

} // namespace
