#include "qtcommon/QtPrompt.h"

#include "editor/ShowStoreFileChoice.h"
#include "tests/support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `inspect` on the modal dialog that the next prompt call puts up.
void WhenModal(std::function<void(QWidget&)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        if (QWidget* modal = QApplication::activeModalWidget())
            inspect(*modal);
    });
}

class QtPromptTest : public ::testing::Test
{
protected:
    QtPromptTest() : prompt(&owner) { owner.show(); }
    QWidget owner;
    qtcommon::QtPrompt prompt;
};

TEST_F(QtPromptTest, MessageIsModalOwnedByTheWindowAndCaptionedWithTheProgramsName)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    WhenModal([&](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        parent = box.parentWidget();
        box.accept();
    });
    prompt.ShowMessage("fire data have saved!", prompt::MessageIcon::Information);
    EXPECT_EQ(title, QStringLiteral("tavrin"));
    EXPECT_EQ(text, QStringLiteral("fire data have saved!"));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(parent, &owner);
}

TEST_F(QtPromptTest, AnErrorRecordGoesUnderTheDetailsAndItsDescriptionFirst)
{
    const std::string record = "CADODataBase Error\n\tCode = 80004005\n\tCode meaning = "
                               "Unspecified error\n\tSource = SQLite\n\tDescription = disk "
                               "I/O error\n";
    QString text, details;
    WhenModal([&](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        text = box.text();
        details = box.detailedText();
        box.accept();
    });
    prompt.ShowMessage("the show store cannot be written,fire data have not saved!\n" + record,
                       prompt::MessageIcon::Stop);
    EXPECT_EQ(text, QStringLiteral("the show store cannot be written,fire data have not "
                                   "saved!\ndisk I/O error"));
    EXPECT_TRUE(details.startsWith(QStringLiteral("CADODataBase Error"))) << details.toStdString();
}

TEST_F(QtPromptTest, IconsMapToTheBoxesIcons)
{
    const std::vector<std::pair<prompt::MessageIcon, QMessageBox::Icon>> icons = {
        {prompt::MessageIcon::None, QMessageBox::NoIcon},
        {prompt::MessageIcon::Stop, QMessageBox::Critical},
        {prompt::MessageIcon::Warning, QMessageBox::Warning}};
    for (const auto& [given, shown] : icons) {
        QMessageBox::Icon seen = QMessageBox::Question;
        WhenModal([&](QWidget& modal) {
            seen = dynamic_cast<QMessageBox&>(modal).icon();
            dynamic_cast<QMessageBox&>(modal).accept();
        });
        prompt.ShowMessage("x", given);
        EXPECT_EQ(seen, shown);
    }
}

TEST_F(QtPromptTest, QuestionAnswersYesOrNo)
{
    for (const bool yes : {true, false}) {
        WhenModal([&](QWidget& modal) {
            auto& box = dynamic_cast<QMessageBox&>(modal);
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.windowTitle(), QStringLiteral("tavrin"));
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(prompt.AskYesNo("do you sure eixt this system?"), yes);
    }
}

TEST_F(QtPromptTest, OpenFileDialogOffersTheFiltersAndGivesTheChosenFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("show.db");
    std::ofstream(path) << "x";
    QStringList filters;
    WhenModal([&](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        filters = dialog.nameFilters();
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        dialog.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(dialog).accept(); // runs the file dialog's own accept
    });
    EXPECT_EQ(prompt.ChooseOpenFile(editor::ShowStoreFileChoice()), path);
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters[0], QStringLiteral("Show stores (*.mdb *.db *.sqlite *.sqlite3)"));
}

TEST_F(QtPromptTest, CancelledFileDialogGivesNothing)
{
    WhenModal([](QWidget& modal) { dynamic_cast<QDialog&>(modal).reject(); });
    EXPECT_EQ(prompt.ChooseOpenFile(editor::ShowStoreFileChoice()), std::nullopt);
}

} // namespace
