#pragma once

#include <string>

namespace hostlink {

// The order of position codes a host expects: a project name, then a 0, any
// number of 1s and a closing 2; a lone cue is a 0 alone. A 0 always starts a
// new show (a download may have stopped half-way); a 1 or 2 needs one open.
class PositionSequence
{
public:
    void ProjectName() { open_ = false; }
    // The problem with this position code here; empty when it fits.
    std::string Check(int position) const;
    // Takes in a cue the host accepted.
    void Accept(int position);

private:
    bool open_ = false;
};

} // namespace hostlink
