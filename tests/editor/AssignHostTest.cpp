#include "editor/AssignHost.h"

#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/ShowCommandsFixture.h"

#include <deque>

namespace {

using editortest::Cue;

// Answers the host-name question from a script; nothing scripted: Cancel.
class ScriptedAsker : public editor::HostNameAsker
{
public:
    std::deque<std::optional<std::string>> names;
    int asked = 0;

    std::optional<std::string> AskHostName() override
    {
        ++asked;
        if (names.empty())
            return std::nullopt;
        auto name = names.front();
        names.pop_front();
        return name;
    }
};

class AssignHost : public editortest::ShowCommands
{
protected:
    void SetUp() override
    {
        path = OpenNewStore("five.db", editortest::FiveCues());
        for (int r = 0; r < grid.GetRowCount(); ++r)
            before.push_back(Row(r));
    }

    void Assign()
    {
        editor::ShowContext show = Show();
        editor::AssignHost(show, grid, asker);
    }

    // The grid as it was, but for these rows' host cells.
    void ExpectHosts(const std::map<int, std::string>& changed)
    {
        ASSERT_EQ(grid.GetRowCount(), static_cast<int>(before.size()));
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            auto expected = before[static_cast<std::size_t>(r)];
            if (const auto it = changed.find(r); it != changed.end())
                expected[show::kColumnHost] = it->second;
            EXPECT_EQ(Row(r), expected) << "row " << r;
        }
    }

    std::string path;
    std::vector<std::array<std::string, show::kCueColumnCount>> before;
    ScriptedAsker asker;
};

TEST_F(AssignHost, ThreeSelectedRowsGetTheNameAndNothingElseChanges)
{
    grid.SelectRows({1, 3, 5});
    prompt.answers.push_back(true);
    asker.names.push_back("A1");
    Assign();
    EXPECT_EQ(prompt.questions, std::vector<std::string>{strings::kAssignQuestion});
    EXPECT_EQ(prompt.questions[0], "do you sure to adjuest the host of selected grid?");
    ExpectHosts({{1, "A1"}, {3, "A1"}, {5, "A1"}});
    EXPECT_EQ(editortest::HostNames(path),
              (std::vector<std::string>{"HOST", "A1", "北岸-1", "HOST", "B2"}))
        << "the store waits for Save";
}

TEST_F(AssignHost, NoSelectionAsksNothingAndChangesNoCell)
{
    asker.names.push_back("A1");
    Assign();
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_EQ(asker.asked, 1) << "the dialog still opens";
    ExpectHosts({});
}

TEST_F(AssignHost, CaptionRowInTheSelectionIsSkipped)
{
    grid.SelectRows({0, 2});
    prompt.answers.push_back(true);
    asker.names.push_back("B7");
    Assign();
    ExpectHosts({{2, "B7"}});
    EXPECT_EQ(Row(0)[1], strings::kColHost);
}

TEST_F(AssignHost, NoToTheQuestionShowsNoDialog)
{
    grid.SelectRows({1, 2});
    prompt.answers.push_back(false);
    asker.names.push_back("A1");
    Assign();
    EXPECT_EQ(asker.asked, 0);
    ExpectHosts({});
}

TEST_F(AssignHost, CancelledDialogChangesNothing)
{
    grid.SelectRows({1, 2});
    prompt.answers.push_back(true);
    asker.names.push_back(std::nullopt);
    Assign();
    EXPECT_EQ(asker.asked, 1);
    ExpectHosts({});
}

TEST_F(AssignHost, BlanksAreANameAsTyped)
{
    grid.SelectRows({4});
    prompt.answers.push_back(true);
    asker.names.push_back("  ");
    Assign();
    ExpectHosts({{4, "  "}});
}

} // namespace
