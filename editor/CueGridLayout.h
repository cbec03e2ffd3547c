#pragma once

#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <array>

namespace editor {

class FlexGrid;

struct CueGridColumn
{
    const char* caption;
    int twips;
};

// The eight columns of the cue grid; their widths add up to 13 680 twips.
extern const std::array<CueGridColumn, show::kCueColumnCount> kCueGridColumns;

// Gives an empty grid its settings, the eight columns with their widths and
// captions, and only the caption row.
void SetUpCueGrid(FlexGrid& grid);

} // namespace editor
