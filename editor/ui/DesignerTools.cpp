#include "editor/ui/DesignerTools.h"

#include "editor/CueRule.h"
#include "editor/ShowStoreFileChoice.h"
#include "editor/ui/AssignByRangeDlg.h"
#include "editor/ui/CueFilterBar.h"
#include "editor/ui/HostEditHistory.h"
#include "editor/ui/LoadSheetPrint.h"
#include "editor/ui/TimelineWindow.h"
#include "editor/ui/VSFlexGrid.h"
#include "prompt/Prompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QAction>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>

namespace editor {

namespace {

// The item's text with its mnemonic on the first `key` in it.
QString MenuText(const char* text, char key)
{
    QString shown = ToQString(text);
    const qsizetype at = shown.indexOf(QLatin1Char(key));
    shown.insert(at < 0 ? 0 : at, QLatin1Char('&'));
    return shown;
}

QAction* Named(QAction* action, const char* objectName)
{
    action->setObjectName(QLatin1String(objectName));
    return action;
}

QAction* FindAction(QMenu& menu, const char* objectName)
{
    for (QAction* action : menu.actions())
        if (action->objectName() == QLatin1String(objectName))
            return action;
    return nullptr;
}

} // namespace

CDesignerTools::CDesignerTools(QMainWindow& window, CVSFlexGrid& grid, prompt::Prompt& prompt,
                               const std::string& storePath)
    : QObject(&window), window_(window), grid_(grid), prompt_(prompt), storePath_(storePath),
      history_(new HostEditHistory(grid.CueModel(), grid, this)),
      filterBar_(new CueFilterBar(grid, grid.parentWidget()))
{
    if (auto* box = qobject_cast<QBoxLayout*>(grid.parentWidget()->layout()))
        box->insertWidget(box->indexOf(&grid), filterBar_);
    QWidget::setTabOrder(filterBar_, &grid_);
    AddMenuItems();
}

void CDesignerTools::AddMenuItems()
{
    auto* edit = window_.findChild<QMenu*>(QStringLiteral("menuEdit"));
    auto* file = window_.findChild<QMenu*>(QStringLiteral("menuFile"));
    auto* tools = window_.findChild<QMenu*>(QStringLiteral("menuTools"));
    if (!edit || !file || !tools)
        return;
    QAction* undo = Named(
        history_->Stack().createUndoAction(this, MenuText(strings::kMenuUndo, 'U')), "actionUndo");
    QAction* redo = Named(
        history_->Stack().createRedoAction(this, MenuText(strings::kMenuRedo, 'R')), "actionRedo");
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence::Redo);
    QAction* first = edit->actions().value(0);
    edit->insertAction(first, undo);
    edit->insertAction(first, redo);
    edit->insertSeparator(first);
    Named(edit->addAction(MenuText(strings::kMenuAssignByRange, 'y'), this,
                          &CDesignerTools::AssignByRange),
          "actionAssignByRange");
    QAction* find = Named(edit->addAction(MenuText(strings::kFilterAccessible, 'F'), filterBar_,
                                          &CueFilterBar::FocusField),
                          "actionFilter");
    find->setShortcut(QKeySequence::Find);

    QAction* print = Named(new QAction(MenuText(strings::kMenuPrintLoadSheets, 'P'), file),
                           "actionPrintLoadSheets");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &CDesignerTools::PrintLoadSheets);
    QAction* exit = FindAction(*file, "actionExit");
    file->insertAction(exit, print);
    file->insertSeparator(exit);

    Named(tools->addAction(MenuText(strings::kMenuTimeline, 'i'), this,
                           &CDesignerTools::OpenTimeline),
          "actionTimeline");
}

void CDesignerTools::AssignByRange()
{
    CAssignByRangeDlg dialog(grid_, prompt_, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.SelectOnly()) {
        filterBar_->Field().clear(); // every match must be in view to be selected
        grid_.SelectCueRows(dialog.Matches());
        return;
    }
    const HostEditGroup group(*history_, HostEditHistory::Command::kAssignByRange);
    try {
        SetHostOfRows(grid_, dialog.Matches(), dialog.HostName());
    } catch (const GridError&) {
        // the grid refused: as Assign Host, the cells set so far stay set
    }
}

void CDesignerTools::OpenTimeline()
{
    if (!timeline_) {
        timeline_ = new CTimelineWindow(&window_);
        connect(timeline_, &CTimelineWindow::CueClicked, this, &CDesignerTools::SelectCue);
    }
    timeline_->Refresh(grid_);
    timeline_->show();
    timeline_->raise();
    timeline_->activateWindow();
}

void CDesignerTools::SelectCue(int gridRow)
{
    if (!grid_.ViewIndexOf(gridRow, 0).isValid())
        filterBar_->Field().clear();
    grid_.SelectCueRows({gridRow});
}

// As the show check: the current store as saved, or with none loaded a
// store the user picks, which does not become the current one.
void CDesignerTools::PrintLoadSheets()
{
    std::string path = storePath_;
    if (path.empty()) {
        const std::optional<std::string> chosen = prompt_.ChooseOpenFile(ShowStoreFileChoice());
        if (!chosen)
            return;
        path = *chosen;
    }
    editor::PrintLoadSheets(path, prompt_, &window_);
}

} // namespace editor
