#include "editor/ui/CueFilterBar.h"

#include "editor/CueFilter.h"
#include "editor/ui/VSFlexGrid.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace editor {

CueFilterBar::CueFilterBar(CVSFlexGrid& grid, QWidget* parent)
    : QWidget(parent), grid_(grid), field_(new QLineEdit(this)), count_(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    field_->setPlaceholderText(ToQString(strings::kFilterPlaceholder));
    field_->setAccessibleName(ToQString(strings::kFilterAccessible));
    field_->setClearButtonEnabled(true);
    count_->setAccessibleName(ToQString(strings::kFilterAccessible));
    layout->addWidget(field_, 1);
    layout->addWidget(count_);
    connect(field_, &QLineEdit::textChanged, this, &CueFilterBar::ApplyFilter);
    connect(&grid_, &CVSFlexGrid::RowCountChanged, this, &CueFilterBar::ShowCount);
    QAbstractItemModel* shown = grid_.model();
    connect(shown, &QAbstractItemModel::rowsInserted, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::rowsRemoved, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::modelReset, this, &CueFilterBar::ShowCount);
    connect(shown, &QAbstractItemModel::layoutChanged, this, &CueFilterBar::ShowCount);
    ShowCount();
}

void CueFilterBar::FocusField()
{
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void CueFilterBar::ApplyFilter(const QString& text)
{
    const std::string filter = ToStdString(text);
    if (filter.find_first_not_of(" \t") == std::string::npos)
        grid_.SetRowFilter(nullptr);
    else
        grid_.SetRowFilter(
            [this, filter](int row) { return CueRowPassesFilter(grid_, row, filter); });
    ShowCount();
}

void CueFilterBar::ShowCount()
{
    const int cues = std::max(0, grid_.GetRowCount() - 1);
    count_->setText(
        ToQString(strings::FormatText(strings::kFilterCount, grid_.ShownCueRows(), cues)));
}

} // namespace editor
