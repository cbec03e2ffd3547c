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

} // namespace
