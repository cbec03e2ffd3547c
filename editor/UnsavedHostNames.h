#pragma once

#include "editor/FlexGrid.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace editor {

// Whether the grid's "Host" column differs from what was last loaded or
// saved, and how many host names it holds, kept up to date one cell at a
// time: the grid reports each changed cell and each change of its row count,
// and nothing is ever recounted from the top. Since it compares with the
// saved texts rather than counting edits, an edit that writes the text a cell
// had, or an undo back to the saved state, leaves nothing unsaved.
class UnsavedHostNames
{
public:
    explicit UnsavedHostNames(const FlexGrid& grid) : grid_(grid) {}

    // The Host column as it stands is what the store holds (after an Open, an
    // import or a successful Save).
    void TakeSnapshot();

    // From the grid's cell-change and row-count notifications.
    void CellChanged(int row, int column);
    void RowCountChanged(int rows);

    bool Any() const;
    int Cues() const { return static_cast<int>(current_.size()); }
    // Distinct host names as Save would store them (trimmed, none empty).
    int HostNames() const { return static_cast<int>(names_.size()); }

private:
    void Track(std::size_t cue, std::string text);
    void Untrack(std::size_t cue);
    void CountName(const std::string& text, int delta);

    const FlexGrid& grid_;
    std::vector<std::string> saved_;   // the Host texts of the last snapshot, one per cue row
    std::vector<std::string> current_; // the Host texts now, one per cue row
    std::vector<char> differs_;        // per cue row of current_: differs from saved_
    std::size_t differing_ = 0;
    std::unordered_map<std::string, int> names_; // trimmed name -> cue rows holding it
};

} // namespace editor
