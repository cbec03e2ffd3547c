#include "editor/ui/CueFilterBar.h"

#include "editor/ui/VSFlexGrid.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace editor {

CueFilterBar::CueFilterBar(CVSFlexGrid& grid, QWidget* parent)
    : QWidget(parent), grid_(grid), field_(new QLineEdit(this)), count_(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    field_->setPlaceholderText(qtcommon::ToQString(strings::kFilterPlaceholder));
    field_->setAccessibleName(qtcommon::ToQString(strings::kFilterAccessible));
    field_->setClearButtonEnabled(true);
    count_->setAccessibleName(qtcommon::ToQString(strings::kFilterAccessible));
    layout->addWidget(field_, 1);
    layout->addWidget(count_);
    connect(field_, &QLineEdit::textChanged, this, &CueFilterBar::ApplyFilter);
    // Esc in the field clears it; the window's own Esc does the same.
    auto* clear =
        new QShortcut(QKeySequence(Qt::Key_Escape), field_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, this, &CueFilterBar::ClearFilter);
    connect(&grid_, &CVSFlexGrid::RowCountChanged, this, &CueFilterBar::ShowCount);
    QAbstractItemModel* shown = grid_.model();
    connect(shown, &QAbstractItemModel::rowsInserted, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::rowsRemoved, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::modelReset, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::layoutChanged, this, &CueFilterBar::ShowCount);
    ShowCount();
}

bool CueFilterBar::ClearFilter()
{
    if (field_->text().isEmpty())
        return false;
    field_->clear();
    return true;
}

void CueFilterBar::FocusField()
{
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void CueFilterBar::ApplyFilter(const QString& text)
{
    grid_.SetFilterText(qtcommon::ToStdString(text));
    ShowCount();
}

void CueFilterBar::ShowCount()
{
    const int cues = std::max(0, grid_.GetRowCount() - 1);
    count_->setText(qtcommon::ToQString(
        strings::FormatText(strings::kFilterCount, grid_.ShownCueRows(), cues)));
}

} // namespace editor
