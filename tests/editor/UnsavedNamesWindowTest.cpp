// The unsaved marker, the title and status bar, and the closing question of
// the real window (offscreen).
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>

namespace {

using editortest::HostNames;
using prompt::Answer;

const std::vector<std::string> kStoredNames = {"HOST", "A1", "北岸-1", "HOST", "B2"};
const std::vector<std::string> kNewNames = {"N1", "N2", "N3", "N4", "N5"};

class UnsavedNames : public editortest::MainWindow
{
protected:
    std::string OpenFive()
    {
        const std::string path = NewStore("five.db");
        OpenStore(path);
        return path;
    }
    // The same, every host name then changed in the grid and not saved.
    std::string OpenFiveRenamed()
    {
        const std::string path = OpenFive();
        SetHosts(kNewNames);
        return path;
    }
    // After the grid's notifications have reached the title and status bar.
    bool Marked()
    {
        QApplication::processEvents();
        return window.isWindowModified();
    }
    std::string Status(const char* label)
    {
        return window.findChild<QLabel*>(QString::fromLatin1(label))->text().toStdString();
    }
};

TEST_F(UnsavedNames, AnAssignmentMarksTheWindowAndSaveOrUndoClearsIt)
{
    EXPECT_EQ(Status("statusStore"), strings::kStatusNoStore);
    const std::string path = OpenFive();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("five.db[*] - Corvane-Quillmark"));
    EXPECT_FALSE(Marked());
    EXPECT_EQ(Status("statusStore"), path);
    EXPECT_EQ(Status("statusCounts"), "5 fire records,4 hosts");
    EXPECT_EQ(Status("statusUnsaved"), "");

    Grid().SetCellText(2, 1, "A1"); // the text it had
    EXPECT_FALSE(Marked());
    Grid().SetCellText(2, 1, "North-1");
    EXPECT_TRUE(Marked());
    EXPECT_TRUE(window.HasUnsavedHostNames());
    EXPECT_EQ(Status("statusUnsaved"), strings::kStatusUnsaved);
    EXPECT_EQ(Status("statusCounts"), "5 fire records,4 hosts");
    Grid().SetCellText(2, 1, "A1"); // back to the saved state, as an undo would
    EXPECT_FALSE(Marked());

    // An in-place edit takes the same path.
    Grid().model()->setData(Grid().model()->index(0, 1), QStringLiteral("North-1"));
    EXPECT_TRUE(Marked());
    Action("actionSave").trigger();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(HostNames(path)[0], "North-1");
    EXPECT_EQ(Status("statusUnsaved"), "");
}

TEST_F(UnsavedNames, AFailedSaveKeepsTheMark)
{
    OpenFive();
    SetHosts({"N1", "", "N3", "N4", "N5"});
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveHostEmpty});
    EXPECT_TRUE(Marked());
}

TEST_F(UnsavedNames, ClosingAsksSaveDiscardOrCancel)
{
    const std::string path = OpenFiveRenamed();

    prompt.threeWayAnswers = {Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(prompt.threeWayButtons.size(), 1u);
    EXPECT_EQ(prompt.threeWayButtons[0], prompt::AnswerButtons::SaveDiscardCancel);
    EXPECT_EQ(prompt.questions.back(),
              strings::FormatText(strings::kUnsavedQuestion, strings::kUnsavedBeforeExit));

    // Exit keeps its own question first.
    prompt.answers = {true};
    prompt.threeWayAnswers = {Answer::No};
    Action("actionExit").trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompt.questions.size(), 3u);
    EXPECT_EQ(HostNames(path), kStoredNames);
    EXPECT_EQ(prompt.unscripted, 0);
}

TEST_F(UnsavedNames, LoadingAnotherShowAsksFirst)
{
    const std::string path = OpenFiveRenamed();
    const std::string other = NewStore("other.db");

    prompt.threeWayAnswers = {Answer::Cancel};
    Action("actionFireOneDatabase").trigger(); // Cancel: no file chooser at all
    prompt.threeWayAnswers = {Answer::Cancel};
    OpenStore(other);
    EXPECT_EQ(window.CurrentStorePath(), path);
    EXPECT_EQ(HostCell(1), "N1");
    EXPECT_TRUE(Marked());
    EXPECT_EQ(prompt.questions.back(),
              strings::FormatText(strings::kUnsavedQuestion, strings::kUnsavedBeforeOpen));
    prompt.openFiles.clear();

    prompt.threeWayAnswers = {Answer::No};
    OpenStore(other);
    EXPECT_EQ(window.CurrentStorePath(), other);
    EXPECT_FALSE(Marked());
    EXPECT_EQ(HostNames(path), kStoredNames) << "discarded, not saved";
}

TEST_F(UnsavedNames, TheFieldDialogsAskBeforeReadingTheStore)
{
    OpenFiveRenamed();
    // Cancel: neither dialog opens (an opened one would wait here for a user).
    prompt.threeWayAnswers = {Answer::Cancel, Answer::Cancel};
    Action("actionLoadAllHosts").trigger();
    Action("actionHostPlan").trigger();
    ASSERT_EQ(prompt.threeWayButtons.size(), 2u);
    EXPECT_EQ(prompt.threeWayButtons[0], prompt::AnswerButtons::YesNoCancel);
    EXPECT_EQ(prompt.questions[0],
              strings::FormatText(strings::kUnsavedQuestion, strings::kUnsavedBeforeLoadAll));
    EXPECT_EQ(prompt.questions[1],
              strings::FormatText(strings::kUnsavedQuestion, strings::kUnsavedBeforeHostPlan));
    EXPECT_TRUE(Marked());
}

TEST_F(UnsavedNames, SaveOnClosingWritesTheNamesOrKeepsTheWindow)
{
    const std::string path = OpenFive();
    SetHosts({"N1", " ", "N3", "N4", "N5"});
    prompt.threeWayAnswers = {Answer::Yes};
    window.close();
    EXPECT_TRUE(window.isVisible()) << "a refused Save keeps the window";
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveHostEmpty});

    SetHosts(kNewNames);
    prompt.threeWayAnswers = {Answer::Yes};
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(HostNames(path), kNewNames);
}

} // namespace
