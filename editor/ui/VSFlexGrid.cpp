#include "editor/ui/VSFlexGrid.h"

#include "editor/ui/CueViewModel.h"
#include "editor/ui/ShowTableModel.h"
#include "qtcommon/QtText.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <stdexcept>

using editor::GridSetting;

CVSFlexGrid::CVSFlexGrid(QWidget* parent)
    : QTableView(parent), model_(new editor::ShowTableModel(core_, this)),
      view_(new editor::CueViewModel(*model_, this))
{
    setModel(view_);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    // A click on a caption sorts the view by that column, a second click the
    // other way, a third back to store order.
    horizontalHeader()->setSortIndicatorClearable(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    setWordWrap(false);
    setEditTriggers(NoEditTriggers);
    FitRowHeight();

    auto stale = [this] { selectionStale_ = true; };
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, stale);
    connect(view_, &QAbstractItemModel::modelReset, this, stale);
    connect(view_, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(view_, &QAbstractItemModel::rowsInserted, this, stale);
    connect(view_, &QAbstractItemModel::layoutChanged, this, stale);
    connect(model_, &QAbstractItemModel::modelReset, this, &CVSFlexGrid::ApplyColumnWidths);
    connect(model_, &editor::ShowTableModel::RowCountChanged, this, &CVSFlexGrid::RowCountChanged);
    connect(model_, &editor::ShowTableModel::EditRefused, this, &CVSFlexGrid::EditRefused);
}

CVSFlexGrid::~CVSFlexGrid() = default;

void CVSFlexGrid::SetShow(show::Show& show)
{
    core_.Bind(show);
    model_->Follow(show);
}

void CVSFlexGrid::SetColumnWidth(int column, int twips)
{
    core_.SetColumnWidth(column, twips);
    horizontalHeader()->resizeSection(column, twips > 0 ? TwipsToPixels(twips)
                                                        : horizontalHeader()->defaultSectionSize());
}

const std::vector<int>& CVSFlexGrid::SelectedRows() const
{
    if (!selectionStale_)
        return selectedRows_;
    selectedRows_.clear();
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            selectedRows_.push_back(GridRowOf(view_->index(row, 0)));
    std::sort(selectedRows_.begin(), selectedRows_.end());
    selectedRows_.erase(std::unique(selectedRows_.begin(), selectedRows_.end()),
                        selectedRows_.end());
    selectionStale_ = false;
    return selectedRows_;
}

int CVSFlexGrid::GetSelectedRowCount() const
{
    return static_cast<int>(SelectedRows().size());
}

int CVSFlexGrid::GetSelectedRowAt(int index) const
{
    const std::vector<int>& rows = SelectedRows();
    if (index < 0 || index >= static_cast<int>(rows.size()))
        throw std::out_of_range("There is no selected row " + std::to_string(index) + ".");
    return rows[static_cast<std::size_t>(index)];
}

void CVSFlexGrid::PutSetting(GridSetting setting, int value)
{
    auto refuse = [&] {
        throw std::invalid_argument("The grid cannot take " + std::to_string(value) +
                                    " for setting " + std::to_string(static_cast<int>(setting)) +
                                    ".");
    };
    switch (setting) {
    case editor::kSettingSelectionMode:
        if (value < 0 || value > 2)
            refuse();
        setSelectionBehavior(value == 0 ? SelectItems : SelectRows);
        setSelectionMode(value == 1 ? SingleSelection : ExtendedSelection);
        break;
    case editor::kSettingUserResizing:
        if (value < 0 || value > 3)
            refuse();
        horizontalHeader()->setSectionResizeMode((value & 1) ? QHeaderView::Interactive
                                                             : QHeaderView::Fixed);
        verticalHeader()->setSectionResizeMode((value & 2) ? QHeaderView::Interactive
                                                           : QHeaderView::Fixed);
        break;
    case editor::kSettingGridLines:
        if (value < 0 || value > 3)
            refuse();
        setShowGrid(value != 0);
        setGridStyle(value == 2 ? Qt::DotLine : Qt::SolidLine);
        break;
    case editor::kSettingEditTriggers: {
        if (value < 0 || value > 15)
            refuse();
        EditTriggers triggers = NoEditTriggers;
        if (value & 1)
            triggers |= DoubleClicked;
        if (value & 2)
            triggers |= SelectedClicked;
        if (value & 4)
            triggers |= EditKeyPressed;
        if (value & 8)
            triggers |= AnyKeyPressed;
        setEditTriggers(triggers);
        break;
    }
    case editor::kSettingHighlight:
        if (value < 0 || value > 2)
            refuse();
        ApplyHighlight(value);
        break;
    case editor::kSettingFixedRows:
        if (value != 1)
            refuse(); // the caption row is the header; there is no other layout
        break;
    default:
        throw std::invalid_argument("The grid has no setting " +
                                    std::to_string(static_cast<int>(setting)) + ".");
    }
    core_.PutSetting(setting, value);
}

void CVSFlexGrid::ApplyHighlight(int value)
{
    QPalette colours = palette();
    const QPalette standard = QPalette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        const bool shown = value == 1 || (value == 2 && group == QPalette::Active);
        colours.setColor(group, QPalette::Highlight,
                         shown ? standard.color(QPalette::Active, QPalette::Highlight)
                               : standard.color(group, QPalette::Base));
        colours.setColor(group, QPalette::HighlightedText,
                         shown ? standard.color(QPalette::Active, QPalette::HighlightedText)
                               : standard.color(group, QPalette::Text));
    }
    setPalette(colours);
}

void CVSFlexGrid::SetRedraw(bool redraw)
{
    core_.SetRedraw(redraw);
    setUpdatesEnabled(redraw);
}

int CVSFlexGrid::TwipsToPixels(int twips) const
{
    return static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
}

void CVSFlexGrid::ApplyColumnWidths()
{
    for (int column = 0; column < core_.GetColumnCount(); ++column)
        if (const int twips = core_.GetColumnWidth(column); twips > 0)
            horizontalHeader()->resizeSection(column, TwipsToPixels(twips));
}

void CVSFlexGrid::FitRowHeight()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

bool CVSFlexGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool wouldEdit = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (index.isValid() && wouldEdit && state() != EditingState) {
        bool cancel = false;
        Q_EMIT BeforeEdit(GridRowOf(index), index.column(), &cancel);
        if (cancel)
            return false;
    }
    return QTableView::edit(index, trigger, event);
}

void CVSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    short button = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        button = 1;
        break;
    case Qt::RightButton:
        button = 2;
        break;
    case Qt::MiddleButton:
        button = 4;
        break;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const short shift = static_cast<short>(((modifiers & Qt::ShiftModifier) ? 1 : 0) |
                                           ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                                           ((modifiers & Qt::AltModifier) ? 4 : 0));
    const QPointF at = event->position();
    // The right button leaves the selection as it is: the popup menu it opens
    // acts on the rows already selected.
    if (button == 2)
        event->accept();
    else
        QTableView::mousePressEvent(event);
    if (button != 0)
        Q_EMIT MouseDown(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void CVSFlexGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitRowHeight();
    }
}

void CVSFlexGrid::SetFilterText(const std::string& text)
{
    view_->SetFilter(text);
    selectionStale_ = true;
}

int CVSFlexGrid::ShownCueRows() const
{
    return view_->rowCount();
}

int CVSFlexGrid::GridRowOf(const QModelIndex& index) const
{
    return view_->mapToSource(index).row() + 1;
}

QModelIndex CVSFlexGrid::ViewIndexOf(int gridRow, int column) const
{
    return view_->mapFromSource(model_->index(gridRow - 1, column));
}

void CVSFlexGrid::SelectCueRows(const std::vector<int>& rows)
{
    // Neighbouring rows join one range: a selection of thousands of rows
    // stays a handful of ranges.
    QItemSelection selection;
    const int lastColumn = model_->columnCount() - 1;
    int first = -1;
    int last = -2;
    auto flush = [&] {
        if (first >= 0)
            selection.select(view_->index(first, 0), view_->index(last, lastColumn));
    };
    for (const int row : rows) {
        const QModelIndex at = ViewIndexOf(row, 0);
        if (!at.isValid())
            continue;
        if (at.row() != last + 1) {
            flush();
            first = at.row();
        }
        last = at.row();
    }
    flush();
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionStale_ = true;
    if (!selection.isEmpty()) {
        const QModelIndex top = selection.first().topLeft();
        selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
        scrollTo(top);
    }
}
