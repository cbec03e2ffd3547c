#include "editor/ui/DesignerTools.h"

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
#include "show/Show.h"

#include <QAction>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMainWindow>

namespace editor {

CDesignerTools::CDesignerTools(QMainWindow& window, CVSFlexGrid& grid, prompt::Prompt& prompt,
                               const std::string& storePath, UndoActions actions)
    : QObject(&window), window_(window), grid_(grid), prompt_(prompt), storePath_(storePath),
      history_(new HostEditHistory(grid.Show(), this)),
      filterBar_(new CueFilterBar(grid, grid.parentWidget()))
{
    if (auto* box = qobject_cast<QBoxLayout*>(grid.parentWidget()->layout()))
        box->insertWidget(box->indexOf(&grid), filterBar_);
    QWidget::setTabOrder(filterBar_, &grid_);
    FollowHistory(actions);
}

// The items' texts name the step they take back or do again.
void CDesignerTools::FollowHistory(UndoActions actions)
{
    QUndoStack& stack = history_->Stack();
    const QString undo = actions.undo.text();
    const QString redo = actions.redo.text();
    const auto name = [](const QString& base, const QString& step) {
        return step.isEmpty() ? base : base + QLatin1Char(' ') + step;
    };
    connect(&stack, &QUndoStack::canUndoChanged, &actions.undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, &actions.redo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, &actions.undo,
            [&action = actions.undo, undo, name](const QString& step) {
                action.setText(name(undo, step));
            });
    connect(&stack, &QUndoStack::redoTextChanged, &actions.redo,
            [&action = actions.redo, redo, name](const QString& step) {
                action.setText(name(redo, step));
            });
    actions.undo.setEnabled(stack.canUndo());
    actions.redo.setEnabled(stack.canRedo());
}

void CDesignerTools::AssignByRange()
{
    CAssignByRangeDlg dialog(grid_.Show(), prompt_, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.SelectOnly()) {
        SelectCues(dialog.Matches());
        return;
    }
    const HostEditGroup group(*history_, HostEditHistory::Command::kAssignByRange);
    grid_.Show().SetHostName(dialog.Matches(), dialog.HostName());
}

void CDesignerTools::OpenTimeline()
{
    if (!timeline_) {
        timeline_ = new CTimelineWindow(grid_.CueModel(), &window_);
        connect(timeline_, &CTimelineWindow::CueClicked, this, &CDesignerTools::SelectCue);
    }
    timeline_->show();
    timeline_->raise();
    timeline_->activateWindow();
}

void CDesignerTools::FocusFilter()
{
    filterBar_->FocusField();
}

void CDesignerTools::SelectCue(int gridRow)
{
    SelectCueRows({gridRow});
}

void CDesignerTools::SelectCues(const std::vector<show::CueIndex>& cues)
{
    std::vector<int> rows;
    rows.reserve(cues.size());
    for (const show::CueIndex cue : cues)
        rows.push_back(static_cast<int>(cue) + 1);
    SelectCueRows(rows);
}

void CDesignerTools::SelectCueRows(const std::vector<int>& rows)
{
    for (const int row : rows)
        if (!grid_.ViewIndexOf(row, 0).isValid()) {
            filterBar_->ClearFilter(); // every cue must be in view to be selected
            break;
        }
    grid_.SelectCueRows(rows);
}

// The show as the grid holds it; with none loaded, a store the user picks,
// which does not become the current one.
void CDesignerTools::PrintLoadSheets()
{
    const show::Show& show = grid_.Show();
    if (!storePath_.empty() || !show.Empty()) {
        editor::PrintLoadSheets(show.Cues(), storePath_, show.AnyChanged(), prompt_, &window_);
        return;
    }
    const std::optional<std::string> chosen = prompt_.ChooseOpenFile(ShowStoreFileChoice());
    if (chosen)
        PrintStoreLoadSheets(*chosen, prompt_, &window_);
}

} // namespace editor
