// tavrin-cli plan: changes land on the plan as the file holds it, beside
// other programs' changes; a plan made elsewhere that breaks a rule is
// refused wherever it is read, and `plan --set`/`--remove` mend it.
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"
#include "store/Transaction.h"
#include "tests/cli/CliFixture.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using clitest::Cli;
using clitest::CliResult;
using clitest::FileBytes;
using clitest::FolderNames;
using clitest::FourCues;
using clitest::RunCli;

// The plan as `plan --json` lists it: name=code, by code.
std::string PlanText(const std::string& store)
{
    const nlohmann::json listed = nlohmann::json::parse(RunCli({"plan", store, "--json"}).out);
    std::string text;
    for (const auto& entry : listed["plan"])
        text += entry["host"].get<std::string>() + "=" +
                std::to_string(entry["host_code"].get<int>()) + " ";
    return text;
}

TEST_F(Cli, TwoPlanChangesAtOnceBothLand)
{
    const std::string store = Store(FourCues());
    for (int run = 1; run <= 4; ++run) {
        CliResult first;
        CliResult second;
        std::thread other([&] {
            first = RunCli({"plan", store, "--set", "A1=" + std::to_string(run)});
        });
        second = RunCli({"plan", store, "--set", "B2=" + std::to_string(run + 100)});
        other.join();
        EXPECT_EQ(first.exitCode, 0) << first.err;
        EXPECT_EQ(second.exitCode, 0) << second.err;
        EXPECT_EQ(PlanText(store),
                  "A1=" + std::to_string(run) + " B2=" + std::to_string(run + 100) + " ")
            << "run " << run;
    }
}

TEST_F(Cli, APlanChangeThatCannotHaveTheStoreInTimeIsRefused)
{
    const std::string store = Store(FourCues());
    ASSERT_EQ(RunCli({"plan", store, "--set", "A1=5"}).exitCode, 0);
    CADODataBase other; // another program in the middle of a change
    ASSERT_TRUE(other.Open(store::ConnectionStringFor(store), "", ""));
    {
        store::Transaction writing(*other.GetConnection());
        const CliResult refused = RunCli({"plan", store, "--set", "B2=6"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err.rfind(strings::FormatText(strings::kPlanSaveFailed, ""), 0), 0u)
            << refused.err;
        EXPECT_NE(refused.err.find("locked by another program"), std::string::npos);
        EXPECT_TRUE(refused.out.empty());
    }
    other.Close();
    EXPECT_EQ(PlanText(store), "A1=5 ");
}

TEST_F(Cli, EachKindOfBadPlanIsRefusedByPlanAndHostsAndMendedBySetAlone)
{
    struct Bad
    {
        const char* rows;
        std::string problem;
    };
    const std::vector<Bad> kinds = {
        {"('A1', NULL)", strings::FormatText(strings::kPlanProblemCodeInvalid, "A1", "NULL")},
        {"('A1', 'five')", strings::FormatText(strings::kPlanProblemCodeInvalid, "A1", "'five'")},
        {"('A1', 4.5)", strings::FormatText(strings::kPlanProblemCodeInvalid, "A1", "4.5")},
        {"('A1', 253)", strings::FormatText(strings::kPlanProblemCodeOutOfRange, "A1", 253)},
        {"('A1', 0)", strings::FormatText(strings::kPlanProblemCodeOutOfRange, "A1", 0)},
        {"('B2', 7), ('A1', 7)",
         strings::FormatText(strings::kPlanProblemCodeTaken, 7, "B2", "A1")},
        {"('A1', 7), ('A1', 8)", strings::FormatText(strings::kPlanProblemNameTwice, "A1")},
    };
    for (const Bad& bad : kinds) {
        const std::string store = Store(FourCues());
        testsupport::RunSql(store, "CREATE TABLE tb_HostPlan(HostName, HostCode)");
        testsupport::RunSql(store, std::string("INSERT INTO tb_HostPlan VALUES ") + bad.rows);
        const std::string said =
            strings::FormatText(strings::kPlanUnsound, 1) + "\n" + bad.problem + "\n";
        const CliResult listed = RunCli({"plan", store});
        EXPECT_EQ(listed.exitCode, 1) << bad.rows;
        EXPECT_EQ(listed.err, said + strings::kCliPlanMend + "\n");
        EXPECT_TRUE(listed.out.empty());
        for (const std::vector<std::string>& hosts :
             {std::vector<std::string>{"hosts", store},
              {"hosts", store, "--csv"},
              {"hosts", store, "--csv", dir.File("sheets.csv")},
              {"hosts", store, "--pdf", dir.File("sheets.pdf")}}) {
            const CliResult refused = RunCli(hosts);
            EXPECT_EQ(refused.exitCode, 1) << bad.rows;
            EXPECT_EQ(refused.err, said);
            EXPECT_TRUE(refused.out.empty());
        }
        EXPECT_FALSE(std::filesystem::exists(dir.File("sheets.csv")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("sheets.pdf")));

        // Taking out a name the plan does not hold changes nothing, mending included.
        const std::string before = FileBytes(store);
        const CliResult absent = RunCli({"plan", store, "--set", "A1=1", "--remove", "Q"});
        EXPECT_EQ(absent.exitCode, 1);
        EXPECT_EQ(absent.err, strings::FormatText(strings::kPlanNameAbsent, "Q") + "\n");
        EXPECT_EQ(FileBytes(store), before);
        const CliResult mended = RunCli({"plan", store, "--set", "A1=1", "--set", "B2=2"});
        EXPECT_EQ(mended.exitCode, 0) << bad.rows << mended.err;
        EXPECT_EQ(RunCli({"hosts", store, "--csv"}).exitCode, 0);
        // The table is this program's again: its key refuses a name twice.
        EXPECT_THROW(testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES('A1', 9)"),
                     std::exception);
        std::filesystem::remove(store);
    }
}

} // namespace

// A plan name follows the rules of `assign`: blanks around it go, and a name
// `assign` refuses is refused with its message, exit 1, nothing written.
TEST_F(Cli, PlanNamesFollowTheRulesOfAssign)
{
    const std::string store = Store(FourCues());
    const std::vector<std::string> refused = {"A\nB",  "A\tB", "A\x01",
                                              "A\x7f", "A😀",   std::string(33, 'A')};
    for (const std::string& name : refused) {
        SCOPED_TRACE(name);
        const CliResult assigned = RunCli({"assign", store, "--host", name, "1"});
        const CliResult planned = RunCli({"plan", store, "--set", name + "=9"});
        EXPECT_EQ(planned.exitCode, 1);
        EXPECT_EQ(planned.err, assigned.err);
        EXPECT_EQ(assigned.exitCode, 1);
    }
    const CliResult blanks = RunCli({"plan", store, "--set", "   =9"});
    EXPECT_EQ(blanks.exitCode, 1);
    EXPECT_EQ(blanks.err, std::string(strings::kAssignHostEmpty) + "\n") << "empty once stored";
    EXPECT_EQ(PlanText(store), "") << "nothing written";
    const CliResult trimmed = RunCli({"plan", store, "--set", " A1=5", "--set", "B2 =6"});
    EXPECT_EQ(trimmed.exitCode, 0) << trimmed.err;
    EXPECT_EQ(PlanText(store), "A1=5 B2=6 ");
}
