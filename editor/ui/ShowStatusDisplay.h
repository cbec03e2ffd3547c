#pragma once

#include <optional>
#include <string>

class QLabel;
class QMainWindow;

namespace editor {

// What the main window shows of its show beyond the grid: the title names the
// current store, marked while host names are unsaved ("show.db* -
// Corvane-Quillmark"; "Corvane-Quillmark" with no store), and the status bar
// holds the store's path, the numbers of cues and host names, and "unsaved
// changes" while there are some, and how many hosts of the store's plan do
// not hold the show as it is now. In a rehearsal the title says
// "[Rehearsal]" after the file's name, and the status bar where the hosts are.
class ShowStatusDisplay
{
public:
    struct State
    {
        std::string storePath; // empty: no store
        int cues = 0;
        int hostNames = 0;
        bool unsaved = false;
        std::optional<int> hostsNotCurrent; // none: no plan, or it cannot be told
        bool rehearsal = false;
    };

    explicit ShowStatusDisplay(QMainWindow& window);

    void Show(const State& state);

private:
    QMainWindow& window_;
    QLabel* path_;
    QLabel* counts_;
    QLabel* unsaved_;
    QLabel* hosts_;
    QLabel* rehearsal_;
};

} // namespace editor
