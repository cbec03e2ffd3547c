#pragma once

#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "show/Cue.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace editortest {

// The real main window, talking through a scripted prompt.
class MainWindow : public ::testing::Test
{
protected:
    MainWindow() : window(prompt) { window.show(); }

    // Runs `act` on the modal dialog or popup menu that the next command opens.
    static void WhenOpened(std::function<void(QWidget*)> act)
    {
        QTimer::singleShot(0, [act] {
            QWidget* shown = QApplication::activePopupWidget();
            if (!shown)
                shown = QApplication::activeModalWidget();
            act(shown);
        });
    }

    // Types a host name into the Assign Host dialog and presses a button.
    static void TypeAndPress(QWidget* dialog, const QString& name, const char* button)
    {
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("editHostName"))->setText(name);
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    // Selects these rows of the view (from 1), as the user would.
    void SelectRows(const std::vector<int>& viewRows)
    {
        Grid().clearSelection();
        for (const int row : viewRows)
            Grid().selectionModel()->select(Grid().model()->index(row - 1, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }

    QAction& Action(const char* name)
    {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
        if (!action)
            throw std::runtime_error(std::string("no action ") + name);
        return *action;
    }

    CVSFlexGrid& Grid()
    {
        auto* grid = window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));
        if (!grid)
            throw std::runtime_error("no grid");
        return *grid;
    }

    std::string HostCell(int row) { return Grid().QueryCell(editor::kQueryCellText, row, 1); }

    // Chooses `path` in the Open File dialog of "Corvane Database".
    void OpenStore(const std::string& path)
    {
        prompt.openFiles.push_back(path);
        Action("actionCorvaneDatabase").trigger();
    }

    std::string NewStore(const std::string& name, const std::vector<show::Cue>& cues = FiveCues())
    {
        const std::string path = dir.File(name);
        MakeShowStore(path, cues);
        return path;
    }

    void SetHosts(const std::vector<std::string>& names)
    {
        for (std::size_t i = 0; i < names.size(); ++i)
            Grid().SetCellText(static_cast<int>(i) + 1, 1, names[i]);
    }

    testsupport::TempDir dir;
    testsupport::FakePrompt prompt;
    CConverterDlg window;
};

} // namespace editortest
