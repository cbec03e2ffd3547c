#pragma once

#include <QWidget>

class CVSFlexGrid;
class QLabel;
class QLineEdit;

namespace editor {

// The bar above the grid: a text that narrows the rows shown to the cues
// whose host, module, channel or launch time match it, and how many show.
// Only the view changes; the cue model keeps its rows and their order.
class CueFilterBar final : public QWidget
{
    Q_OBJECT

public:
    CueFilterBar(CVSFlexGrid& grid, QWidget* parent = nullptr);

    QLineEdit& Field() { return *field_; }
    // Puts the keyboard in the field, its text selected (QKeySequence::Find).
    void FocusField();
    // Shows every cue again; false when nothing was filtered.
    bool ClearFilter();

private:
    void ApplyFilter(const QString& text);
    void ShowCount();

    CVSFlexGrid& grid_;
    QLineEdit* field_;
    QLabel* count_;
};

} // namespace editor
