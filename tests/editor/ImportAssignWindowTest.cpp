// The FireOne import, host assignment and the grid's popup menu through the
// real window, its Assign Host dialog and its popup menu (offscreen).
#include "editor/ui/AssignHostDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/MainWindowFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using editortest::HostNames;
using prompt::MessageIcon;

class WindowCommands : public editortest::MainWindow
{
protected:
    void Press(Qt::MouseButton button)
    {
        const QPoint at = Grid().visualRect(Grid().model()->index(0, 1)).center();
        QTest::mousePress(Grid().viewport(), button, Qt::NoModifier, at);
        QTest::mouseRelease(Grid().viewport(), button, Qt::NoModifier, at);
    }

    // Chooses the popup menu's item by its caption.
    static void Choose(QWidget* shown, const char* caption)
    {
        auto* menu = qobject_cast<QMenu*>(shown);
        ASSERT_NE(menu, nullptr) << "no popup menu";
        for (QAction* action : menu->actions()) {
            if (QString(action->text()).remove(QLatin1Char('&')) == QString::fromUtf8(caption)) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
        FAIL() << "no item " << caption;
    }

    std::string NewFireOneFile(const std::vector<editortest::FireRecord>& records)
    {
        const std::string path = dir.File("fireone.db");
        editortest::MakeFireOneFile(path, records);
        return path;
    }
};

TEST_F(WindowCommands, FireOneImportFillsTheGridFromTheMenu)
{
    const std::string path = NewFireOneFile({{3723004, 3, 7, 12}, {500, 1, 5, 0}});
    prompt.openFiles.push_back(path);
    Action("actionFireOneDatabase").trigger();
    EXPECT_TRUE(prompt.messages.empty()) << ::testing::PrintToString(prompt.MessageTexts());
    EXPECT_EQ(window.CurrentStorePath(), path);
    ASSERT_EQ(Grid().GetRowCount(), 3);
    EXPECT_EQ(Grid().model()->rowCount(), 2);
    const std::vector<std::string> first = {"0", "HOST", "01:02:03.004", "0", "3", "07", "11", ""};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(Grid().QueryCell(editor::kQueryCellText, 1, c),
                  first[static_cast<std::size_t>(c)]);
    EXPECT_EQ(Grid().QueryCell(editor::kQueryCellText, 2, 6), "-1");
    EXPECT_TRUE(Action("actionSave").isEnabled());
    EXPECT_FALSE(window.IsStoreOpen());
}

TEST_F(WindowCommands, FailedImportKeepsTheShownShow)
{
    const std::string store = NewStore("five.db");
    OpenStore(store);
    const std::string path = NewFireOneFile(editortest::ManyFireRecords(40));
    testsupport::RunSql(path, "UPDATE FireData SET LaunchTimeMS = 1500.5 WHERE ID = 20");
    prompt.openFiles.push_back(path);
    Action("actionFireOneDatabase").trigger();
    EXPECT_EQ(prompt.MessageTexts(),
              std::vector<std::string>{"FireOne record 20: LaunchTimeMS 1500.5 is not a whole "
                                       "number of milliseconds, the show has not been imported!"});
    EXPECT_EQ(window.CurrentStorePath(), store);
    EXPECT_EQ(Grid().GetRowCount(), 6);
    EXPECT_EQ(HostCell(3), "北岸-1");
}

TEST_F(WindowCommands, AssignHostDialogHasItsTextsAndStartsEmpty)
{
    CAssignHostDlg dialog(prompt);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Assign Host"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("labelHostName"))->text(),
              QStringLiteral("Host Name:"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("buttonOk"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("buttonCancel"))->text(),
              QStringLiteral("Cancel"));
    EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("editHostName"))->text().isEmpty());
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("editHostName"))->maxLength(), 32767)
        << "no limit of its own";
}

TEST_F(WindowCommands, AssignHostFromTheMenuSetsTheSelectedRows)
{
    const std::string store = NewStore("five.db");
    OpenStore(store);
    SelectRows({1, 3, 4});
    prompt.answers.push_back(true);
    WhenOpened([](QWidget* dialog) { TypeAndPress(dialog, QStringLiteral("A1"), "buttonOk"); });
    Action("actionAssignHost").trigger();
    EXPECT_EQ(prompt.questions,
              std::vector<std::string>{"do you sure to adjuest the host of selected grid?"});
    // Rows 1 and 2 held HOST and A1, row 5 B2: rows 1, 3 and 4 now show A1.
    const std::vector<std::string> expected = {"A1", "A1", "A1", "A1", "B2"};
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(HostCell(r), expected[static_cast<std::size_t>(r - 1)]) << "row " << r;
    EXPECT_EQ(Grid().QueryCell(editor::kQueryCellText, 1, 2), "01:05.432") << "no other column";
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"HOST", "A1", "北岸-1", "HOST", "B2"}))
        << "the store waits for Save";
}

TEST_F(WindowCommands, EmptyNameOrControlCharactersAreRefusedAndTheDialogStaysOpen)
{
    OpenStore(NewStore("five.db"));
    SelectRows({2});
    prompt.answers.push_back(true);
    bool stayedOpen = false;
    WhenOpened([&](QWidget* dialog) {
        TypeAndPress(dialog, QString(), "buttonOk");
        TypeAndPress(dialog, QStringLiteral("A\x1b]0;x\x07"), "buttonOk");
        stayedOpen = dialog->isVisible();
        dialog->findChild<QPushButton*>(QStringLiteral("buttonCancel"))->click();
    });
    Action("actionAssignHost").trigger();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].text, "host name cannot be seted as null");
    EXPECT_EQ(prompt.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompt.messages[1].text, strings::kAssignHostControlCharacter);
    EXPECT_EQ(HostCell(2), "A1") << "Cancel changes nothing";
}

TEST_F(WindowCommands, NoToTheQuestionShowsNoDialog)
{
    OpenStore(NewStore("five.db"));
    SelectRows({2});
    prompt.answers.push_back(false);
    Action("actionAssignHost").trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(HostCell(2), "A1");
}

TEST_F(WindowCommands, RightButtonPopupOffersItsTwoItems)
{
    OpenStore(NewStore("five.db"));
    QStringList items;
    QString title;
    WhenOpened([&](QWidget* shown) {
        auto* menu = qobject_cast<QMenu*>(shown);
        ASSERT_NE(menu, nullptr);
        title = menu->title();
        for (QAction* action : menu->actions())
            items << action->text();
        menu->close();
    });
    Press(Qt::RightButton);
    EXPECT_EQ(title, QStringLiteral("_POP_"));
    EXPECT_EQ(items, (QStringList{QStringLiteral("&Assigned Host"), QStringLiteral("&Save...")}));
    EXPECT_TRUE(prompt.messages.empty()) << "dismissing the popup runs nothing";
}

TEST_F(WindowCommands, ThePopupIsTheMenuTheWindowDeclaresWithItsCommandNumbers)
{
    OpenStore(NewStore("five.db"));
    QString shownName;
    WhenOpened([&](QWidget* shown) {
        shownName = shown->objectName();
        shown->close();
    });
    Press(Qt::RightButton);
    const auto* popup = window.findChild<QMenu*>(QStringLiteral("popupMenu"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(shownName, popup->objectName());
    QList<int> ids;
    for (const QAction* action : popup->actions())
        ids << action->property("commandId").toInt();
    EXPECT_EQ(ids, (QList<int>{32785, 32786}));
    for (const QAction* action : window.menuBar()->actions())
        EXPECT_NE(action, popup->menuAction()) << "not in the menu bar";
}

TEST_F(WindowCommands, PopupSaveSavesLikeTheFileMenu)
{
    const std::string store = NewStore("five.db");
    OpenStore(store);
    SetHosts({"P1", "P2", "P3", "P4", "P5"});
    WhenOpened([](QWidget* shown) { Choose(shown, "Save..."); });
    Press(Qt::RightButton);
    EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{"fire data have saved!"});
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"P1", "P2", "P3", "P4", "P5"}));
}

TEST_F(WindowCommands, PopupAssignedHostAssignsLikeTheEditMenu)
{
    OpenStore(NewStore("five.db"));
    SelectRows({5});
    prompt.answers.push_back(true);
    WhenOpened([](QWidget* shown) {
        // The dialog opens from the chosen item, after the popup has gone.
        WhenOpened([](QWidget* dialog) { TypeAndPress(dialog, QStringLiteral("Z9"), "buttonOk"); });
        Choose(shown, "Assigned Host");
    });
    Press(Qt::RightButton);
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(HostCell(5), "Z9");
    EXPECT_EQ(HostCell(1), "HOST") << "the right button on row 1 selected nothing";
}

TEST_F(WindowCommands, LeftAndMiddleButtonsShowNoPopup)
{
    OpenStore(NewStore("five.db"));
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton}) {
        bool popped = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popped = true;
                popup->close();
            }
        });
        Press(button);
        QApplication::processEvents();
        EXPECT_FALSE(popped) << "button " << button;
    }
}

TEST_F(WindowCommands, OnlyTheHostColumnTakesInPlaceEdits)
{
    OpenStore(NewStore("five.db"));
    for (int column = 0; column < 8; ++column) {
        const QModelIndex cell = Grid().model()->index(2, column);
        Grid().edit(cell);
        if (column == 1)
            EXPECT_NE(Grid().indexWidget(cell), nullptr) << "column 1 accepts";
        else
            EXPECT_EQ(Grid().indexWidget(cell), nullptr) << "column " << column << " refuses";
        Grid().closePersistentEditor(cell);
        QApplication::processEvents();
    }
}

} // namespace
