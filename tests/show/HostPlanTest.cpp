// The host plan's rules, and a plan as a store holds it: read whole with
// every rule it breaks, changed and saved all or nothing inside one write
// transaction. Stores made elsewhere are written with plain SQL.
#include "show/HostPlan.h"

#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using show::Failure;
using show::FailureCode;
using show::HostPlanEntry;

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A plan table as another program may make it: no key, no types.
std::string ForeignPlan(const testsupport::TempDir& dir, const std::string& values)
{
    const std::string store = testsupport::MakeSqliteFile(
        dir.File("show.db"), "CREATE TABLE tb_HostPlan(HostName, HostCode)");
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES " + values);
    return store;
}

// The code of what was raised, or nothing.
template <typename Work> std::optional<Failure> Raised(Work work)
{
    try {
        work();
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

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

TEST(HostPlanRules, AStoredPlanIsListedWholeWithEveryProblem)
{
    testsupport::TempDir dir;
    const std::string store = ForeignPlan(dir, "('A', 5), ('B', 'x'), ('C', 5), ('A', 6)");
    const show::StoredPlan stored = show::ReadHostPlan(store);
    EXPECT_EQ(stored.rows.size(), 4u);
    ASSERT_EQ(stored.problems.size(), 3u);
    const std::optional<Failure> refused = Raised([&] { show::ReadHostPlanChecked(store); });
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Code(), FailureCode::kPlanUnsound);
    EXPECT_EQ(messages::FailureText(*refused, messages::Doing::kPlanning),
              strings::FormatText(strings::kPlanUnsound, 3) + "\n" +
                  strings::FormatText(strings::kPlanProblemCodeInvalid, "B", "'x'") + "\n" +
                  strings::FormatText(strings::kPlanProblemCodeTaken, 5, "A", "C") + "\n" +
                  strings::FormatText(strings::kPlanProblemNameTwice, "A"));

    testsupport::RunSql(store, "ALTER TABLE tb_HostPlan RENAME COLUMN HostCode TO Code");
    const std::optional<Failure> unreadable = Raised([&] { show::ReadHostPlan(store); });
    ASSERT_TRUE(unreadable);
    EXPECT_EQ(unreadable->Code(), FailureCode::kPlanNotRead);
}

TEST(HostPlanChanges, MendAStoredPlanAllOrNothing)
{
    testsupport::TempDir dir;
    const std::string store = ForeignPlan(dir, "('A', NULL), ('B', 2), ('B', 3), ('C', 4)");
    const std::string before = Bytes(store);
    const auto change = [&](std::vector<HostPlanEntry> set, std::vector<std::string> remove) {
        return Raised([&] { show::ChangeHostPlan(store, set, remove); });
    };
    // Half mended: A's code still NULL.
    const std::optional<Failure> half = change({{"B", 2}}, {});
    ASSERT_TRUE(half);
    EXPECT_EQ(half->Code(), FailureCode::kPlanUnsound);
    EXPECT_EQ(std::string(half->what()), "plan-unsound; plan-code-invalid A NULL");
    const std::optional<Failure> absent = change({{"A", 1}, {"B", 2}}, {"Q"});
    ASSERT_TRUE(absent);
    EXPECT_EQ(absent->Code(), FailureCode::kPlanNameAbsent);
    EXPECT_EQ(absent->Name(), "Q");
    const std::optional<Failure> taken = change({{"A", 4}, {"B", 2}}, {});
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Code(), FailureCode::kPlanCodeTaken) << "a lone problem stands as it is";
    EXPECT_EQ(Bytes(store), before) << "a refused change writes nothing";

    EXPECT_FALSE(change({{"A", 1}, {"B", 2}}, {"C"}));
    const show::StoredPlan mended = show::ReadHostPlan(store);
    EXPECT_TRUE(mended.problems.empty());
    EXPECT_EQ(mended.entries, (std::vector<HostPlanEntry>{{"A", 1}, {"B", 2}}));
    // The table is this program's again: its key refuses a name twice.
    EXPECT_THROW(testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES('A', 9)"),
                 std::exception);
}

TEST(HostPlanChanges, TheWholePlanIsSavedOnlyOverThePlanThatWasRead)
{
    testsupport::TempDir dir;
    const std::string store = ForeignPlan(dir, "('A', 1)");
    const show::StoredPlan read = show::ReadHostPlan(store);
    const std::optional<Failure> typed = Raised([&] {
        show::SaveHostPlan(store, {{"A", 1}, {"B", 1}}, read.rows);
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(messages::FailureText(*typed, messages::Doing::kSaving),
              strings::FormatText(strings::kPlanCodeTaken, 1, "A", "B"));

    show::ChangeHostPlan(store, {{"C", 3}}, {}); // another program, meanwhile
    const std::optional<Failure> stale = Raised([&] {
        show::SaveHostPlan(store, {{"A", 1}, {"B", 2}}, read.rows);
    });
    ASSERT_TRUE(stale);
    EXPECT_EQ(stale->Code(), FailureCode::kPlanChanged);
    EXPECT_EQ(show::ReadHostPlan(store).entries, (std::vector<HostPlanEntry>{{"A", 1}, {"C", 3}}));

    show::SaveHostPlan(store, {{"A", 1}, {"B", 2}}, show::ReadHostPlan(store).rows);
    EXPECT_EQ(show::ReadHostPlanChecked(store), (std::vector<HostPlanEntry>{{"A", 1}, {"B", 2}}));
}

} // namespace
