// The window's forms hold their texts themselves; these tests hold them to
// the string table, and the menus to their commands.
#include "editor/CommandIds.h"
#include "editor/ui/AboutDlg.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace {

using MainWindow = editortest::MainWindow;

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

struct Item
{
    const char* objectName; // empty for a separator or a submenu
    const char* text;
    int commandId;
};

// Menu items carry a mnemonic; the caption's words stay the string table's.
void ExpectItems(const QList<QAction*>& actions, const std::vector<Item>& items,
                 bool mnemonics = true)
{
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        const Item& item = items[i];
        SCOPED_TRACE(item.text);
        if (item.text[0] == '\0') {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(QString(action->text()).remove(QLatin1Char('&')), Text(item.text));
        EXPECT_EQ(action->text().contains(QLatin1Char('&')), mnemonics);
        if (item.objectName[0] != '\0') {
            EXPECT_EQ(action->objectName(), QString::fromLatin1(item.objectName));
        }
        if (item.commandId != 0) {
            EXPECT_EQ(action->property("commandId").toInt(), item.commandId);
        }
    }
}

QMenu* MenuOf(const QAction* action)
{
    return action ? action->menu() : nullptr;
}

TEST_F(MainWindow, MenuBarHasTheFourMenusInOrder)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ExpectItems(menus, {{"", strings::kMenuFile, 0},
                        {"", strings::kMenuEdit, 0},
                        {"", strings::kMenuTools, 0},
                        {"", strings::kMenuHelp, 0}});
}

TEST_F(MainWindow, FileMenuItemsSeparatorsAndCommands)
{
    QMenu* file = MenuOf(window.menuBar()->actions().value(0));
    ASSERT_NE(file, nullptr);
    ExpectItems(file->actions(), {{"", strings::kMenuLoadDatabase, 0},
                                  {"actionClose", strings::kMenuClose, editor::kCmdClose},
                                  {"", "", 0},
                                  {"actionSave", strings::kMenuSave, editor::kCmdSave},
                                  {"", "", 0},
                                  {"actionPrintLoadSheets", "Print Load Sheets...", 0},
                                  {"", "", 0},
                                  {"actionExit", strings::kMenuExit, editor::kCmdExit}});
    QMenu* load = MenuOf(file->actions().value(0));
    ASSERT_NE(load, nullptr);
    ExpectItems(
        load->actions(),
        {{"actionFireOneDatabase", strings::kMenuFireOneDatabase, editor::kCmdFireOneDatabase},
         {"actionCorvaneDatabase", strings::kMenuCorvaneDatabase, editor::kCmdCorvaneDatabase}});
}

TEST_F(MainWindow, EditToolsAndHelpMenus)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ExpectItems(MenuOf(menus.value(1))->actions(),
                {{"actionUndo", "Undo", 0},
                 {"actionRedo", "Redo", 0},
                 {"", "", 0},
                 {"actionAssignHost", strings::kMenuAssignHost, editor::kCmdAssignHost},
                 {"actionAssignByRange", "Assign Host by Range...", 0},
                 {"actionFilter", "Filter", 0}});
    ExpectItems(MenuOf(menus.value(2))->actions(),
                {{"actionHostSettings", strings::kMenuHostSettings, editor::kCmdHostSettings},
                 {"actionDownload", strings::kMenuDownload, editor::kCmdDownload},
                 {"actionCheckShow", strings::kMenuCheckShow, editor::kCmdCheckShow},
                 {"", "", 0},
                 {"actionHostPlan", strings::kMenuHostPlan, editor::kCmdHostPlan},
                 {"actionLoadAllHosts", strings::kMenuLoadAllHosts, editor::kCmdLoadAllHosts},
                 {"actionTimeline", "Timeline...", 0},
                 {"", "", 0},
                 {"actionRehearsal", strings::kMenuRehearsal, editor::kCmdRehearsal},
                 {"actionVirtualHosts", strings::kMenuVirtualHosts, editor::kCmdVirtualHosts}});
    ExpectItems(MenuOf(menus.value(3))->actions(),
                {{"actionAbout", strings::kMenuAbout, editor::kCmdAbout}});
}

TEST_F(MainWindow, StandardShortcutsAndAnAccessibleGrid)
{
    EXPECT_EQ(Action("actionCorvaneDatabase").shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(Action("actionSave").shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(Action("actionExit").shortcut(), QKeySequence(QKeySequence::Quit));
    EXPECT_FALSE(Grid().accessibleName().isEmpty());
}

TEST_F(MainWindow, ToolbarHasThreeButtonsWithIconsAndTips)
{
    auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolbar, nullptr);
    ExpectItems(toolbar->actions(),
                {{"actionToolbarOpen", strings::kToolbarOpen, editor::kCmdToolbarOpen},
                 {"actionToolbarSave", strings::kToolbarSave, editor::kCmdToolbarSave},
                 {"actionToolbarDownload", strings::kToolbarDownload, editor::kCmdToolbarDownload}},
                false);
    for (const QAction* action : toolbar->actions()) {
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        EXPECT_EQ(action->toolTip(), action->text());
    }
}

TEST_F(MainWindow, TitleFontAndIcon)
{
    EXPECT_EQ(window.windowTitle(), Text(strings::kMainWindowTitle));
    EXPECT_EQ(window.font().family(), Text(strings::kGridFont));
    EXPECT_EQ(window.font().pointSize(), 9);
    EXPECT_EQ(Grid().font().family(), Text(strings::kGridFont));
    EXPECT_EQ(Grid().font().weight(), QFont::Normal);
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(32, 32)));
}

TEST(AboutBox, ShowsTheVersionAndCloses)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), Text(strings::kAboutTitle));
    auto label = [&](const char* name) {
        auto* found = about.findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text() : QString();
    };
    EXPECT_EQ(label("labelVersion"), Text(strings::kAboutVersion));
    EXPECT_EQ(label("labelRights"), Text(strings::kAboutRights));
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("buttonOk"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), Text(strings::kAboutOk));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("labelIcon"))->pixmap().isNull());
    QTimer::singleShot(0, ok, &QPushButton::click);
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST_F(MainWindow, HelpAboutRunsTheAboutBoxModally)
{
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        shownTitle = modal->windowTitle();
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("buttonOk")))
            ok->click();
    });
    Action("actionAbout").trigger();
    EXPECT_EQ(shownTitle, Text(strings::kAboutTitle));
}

} // namespace
