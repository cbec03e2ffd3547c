#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

namespace {

using editortest::FiveCues;
using editortest::HostNames;
using prompt::MessageIcon;

const std::vector<std::string> kStoredNames = {"HOST", "A1", "北岸-1", "HOST", "B2"};

using MainWindow = editortest::MainWindow;

TEST_F(MainWindow, FreshStartShowsOnlyTheCaptionRow)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Corvane-Quillmark"));
    EXPECT_EQ(Grid().GetRowCount(), 1);
    EXPECT_EQ(Grid().model()->rowCount(), 0);
    const std::vector<std::pair<const char*, int>> columns = {
        {"Sequence", 820}, {"Host", 1500}, {"Launch Time", 2000}, {"Offset", 800},
        {"Event", 600},    {"Sla", 800},   {"Cue", 800},          {"Note", 6360}};
    ASSERT_EQ(Grid().model()->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        const auto& [caption, twips] = columns[static_cast<std::size_t>(c)];
        EXPECT_EQ(Grid().model()->headerData(c, Qt::Horizontal).toString(),
                  QString::fromUtf8(caption));
        EXPECT_EQ(Grid().GetColumnWidth(c), twips);
        if (c < 7) {
            EXPECT_EQ(Grid().horizontalHeader()->sectionSize(c), Grid().TwipsToPixels(twips))
                << "column " << c;
        }
    }
    const QHeaderView& header = *Grid().horizontalHeader();
    EXPECT_EQ(header.sectionPosition(7) + header.sectionSize(7), header.viewport()->width())
        << "the last column fills the grid's width";
    EXPECT_TRUE(window.CurrentStorePath().empty());
    EXPECT_FALSE(Action("actionSave").isEnabled()) << "nothing to save yet";
    EXPECT_FALSE(Action("actionToolbarSave").isEnabled());
}

TEST_F(MainWindow, GridFillsTheWindowAndFollowsItsSize)
{
    const int before = Grid().width();
    window.resize(window.width() + 200, window.height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(Grid().width(), before + 200);
}

TEST_F(MainWindow, OpenFiveRecordStoreFromTheMenu)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(Grid().GetRowCount(), 6);
    EXPECT_EQ(Grid().model()->rowCount(), 5);
    const auto cues = FiveCues();
    for (int r = 1; r <= 5; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(Grid().QueryCell(19, r, c),
                      show::CueCellTexts(
                          cues[static_cast<std::size_t>(r - 1)])[static_cast<std::size_t>(c)]);
    EXPECT_EQ(window.CurrentStorePath(), path);
    EXPECT_FALSE(window.IsStoreOpen());
    EXPECT_TRUE(Action("actionSave").isEnabled());
    EXPECT_TRUE(Action("actionToolbarSave").isEnabled());
}

TEST_F(MainWindow, OpenWithoutShowTableKeepsTheGridAndThePath)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    const std::string other = dir.File("other.db");
    testsupport::MakeEmptySqliteFile(other);
    testsupport::RunSql(other, "CREATE TABLE FireData(Cue int)");
    OpenStore(other);
    ASSERT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNoLayoutTable});
    EXPECT_EQ(Grid().GetRowCount(), 6);
    EXPECT_EQ(HostCell(3), "北岸-1");
    EXPECT_EQ(window.CurrentStorePath(), path);
    EXPECT_FALSE(window.IsStoreOpen());
}

TEST_F(MainWindow, OpenEmptyStoreGreysSaveAgain)
{
    OpenStore(NewStore("five.db"));
    OpenStore(NewStore("empty.db", {}));
    EXPECT_EQ(Grid().GetRowCount(), 1);
    EXPECT_FALSE(Action("actionSave").isEnabled());
}

TEST_F(MainWindow, LoadingManyRowsUpdatesTheViewOnce)
{
    std::vector<show::Cue> cues;
    for (int i = 0; i < 2000; ++i)
        cues.push_back(editortest::Cue(i, "HOST", i * 10));
    const std::string path = NewStore("many.db", cues);
    QSignalSpy inserted(Grid().model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(Grid().model(), &QAbstractItemModel::modelReset);
    OpenStore(path);
    EXPECT_EQ(Grid().model()->rowCount(), 2000);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(inserted.count(), 0) << "never row by row";
}

TEST_F(MainWindow, SaveRefusesAnEmptyNameAndWritesNothing)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    SetHosts({"N1", "N2", " ", "N4", "N5"});
    Action("actionSave").trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "host name cannot be seted as null!");
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(HostNames(path), kStoredNames);
}

TEST_F(MainWindow, SaveRefusesAnOverlongNameAndWritesNothing)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    SetHosts({"N1", "N2", "N3", "N4", std::string(33, 'L')});
    Action("actionSave").trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::FormatText(strings::kSaveHostTooLong, 5, 32));
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(HostNames(path), kStoredNames);
}

TEST_F(MainWindow, SaveRefusesAStoreThatChangedAndWritesNothing)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    testsupport::RunSql(path, "INSERT INTO tb_Layout VALUES (9,'NEW',1,0,'01','00',1,0)");
    SetHosts({"N1", "N2", "N3", "N4", "N5"});
    Action("actionSave").trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kSaveStoreChanged);
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Stop);
    auto names = kStoredNames;
    names.push_back("NEW");
    EXPECT_EQ(HostNames(path), names);
}

TEST_F(MainWindow, TwoSavesInARowFromMenuAndToolbar)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    SetHosts({"F1", "F2", "F3", "F4", "F5"});
    Action("actionSave").trigger();
    SetHosts({"S1", "S2", "S3", "S4", "S5"});
    Action("actionToolbarSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(),
              (std::vector<std::string>{strings::kSaveDone, strings::kSaveDone}));
    EXPECT_EQ(HostNames(path), (std::vector<std::string>{"S1", "S2", "S3", "S4", "S5"}));
}

TEST_F(MainWindow, ToolbarOpenChoosesAStore)
{
    const std::string path = NewStore("five.db");
    prompt.openFiles.push_back(path);
    Action("actionToolbarOpen").trigger();
    EXPECT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_EQ(Grid().GetRowCount(), 6);
}

TEST_F(MainWindow, CloseKeepsTheGridAndSaveStillWorks)
{
    const std::string path = NewStore("five.db");
    OpenStore(path);
    Action("actionClose").trigger();
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Grid().GetRowCount(), 6);
    EXPECT_EQ(window.CurrentStorePath(), path);
    SetHosts({"C1", "C2", "C3", "C4", "C5"});
    Action("actionSave").trigger();
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kSaveDone});
    EXPECT_EQ(HostNames(path)[0], "C1");
}

TEST_F(MainWindow, ExitAnsweredNoKeepsTheWindow)
{
    OpenStore(NewStore("five.db"));
    prompt.answers.push_back(false);
    Action("actionExit").trigger();
    EXPECT_EQ(prompt.questions, std::vector<std::string>{"do you sure eixt this system?"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Grid().GetRowCount(), 6);
}

TEST_F(MainWindow, ExitAnsweredYesClosesTheWindowAndTheStore)
{
    OpenStore(NewStore("five.db"));
    prompt.answers.push_back(true);
    Action("actionExit").trigger();
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.IsStoreOpen());
    EXPECT_EQ(prompt.unscripted, 0);
}

TEST_F(MainWindow, CloseBoxClosesWithoutAQuestion)
{
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(prompt.questions.empty());
}

// A designer pressing Enter or Esc in the grid must not lose the window (and
// with it the unsaved host names).
TEST_F(MainWindow, EnterAndEscapeLeaveTheWindowOpen)
{
    OpenStore(NewStore("five.db"));
    Grid().setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(&Grid(), key);
        QTest::keyClick(&window, key);
        EXPECT_TRUE(window.isVisible()) << "key " << key;
    }
    EXPECT_EQ(Grid().GetRowCount(), 6);
    EXPECT_TRUE(prompt.questions.empty());
}

TEST_F(MainWindow, OnlyTheHostColumnCanBeEditedInPlace)
{
    OpenStore(NewStore("five.db"));
    const QModelIndex launchTime = Grid().model()->index(0, 2);
    const QModelIndex host = Grid().model()->index(0, 1);
    Grid().edit(launchTime);
    EXPECT_EQ(Grid().indexWidget(launchTime), nullptr) << "no editor opened";
    Grid().edit(host);
    EXPECT_NE(Grid().indexWidget(host), nullptr);
}

} // namespace
