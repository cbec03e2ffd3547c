#pragma once

#include "show/Cue.h"
#include "store/LayoutTable.h"

#include <string>
#include <vector>

namespace show {

// The cues of a show store, read whole, in the order the store gives them
// (the grid's order).
struct ShowCues
{
    enum Status
    {
        kRead,
        kNoLayoutTable, // the store holds no tb_Layout
        kUnreadable,    // the store, its table or a record cannot be read
    };
    Status status = kRead;
    std::vector<show::Cue> cues;
    std::string detail; // kUnreadable: why
};

// Opens the store by path, reads every record of tb_Layout and closes the
// store again. A record with a field that cannot be read makes the whole
// store unreadable: a made-up value would be checked instead of the real one.
ShowCues ReadShowCues(const std::string& path);

} // namespace show
