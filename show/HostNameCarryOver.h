#pragma once

#include "show/Cue.h"

#include <string>
#include <vector>

namespace show {

// Whether two shows hold the same cues in the same order, host names aside:
// every other field of tb_Layout that is read, FlowID included (HostIndex is
// read by no one).
bool SameCuesApartFromHostNames(const std::vector<Cue>& a, const std::vector<Cue>& b);

// What a FireOne show changed into, and what became of the host names.
struct CarryOver
{
    int added = 0;    // new cues with no old cue on their module and channel
    int removed = 0;  // old cues with no new cue on their module and channel
    int retimed = 0;  // cues on the same module and channel at another launch time
    int kept = 0;     // new cues that kept the host name they had (none guessed)
    int fellBack = 0; // new cues left on "HOST"
    // New cues that one rule matched with more old cues than it had new ones
    // for, those old cues of different host names: identical fire records
    // cannot be told apart, so which names they took (the first old cues',
    // in order) is a guess, and the others' may be lost.
    int guessed = 0;
    // The host names ("HOST" aside) of the old show that no new cue has, in
    // the old show's order.
    std::vector<std::string> namesLeft;
};

// Gives the cues converted from a changed FireOne show the host names of the
// old show's cues, rule by rule over all new cues, each rule a pass of its
// own: (1) a cue on the same module, channel and launch time as an old cue
// takes its name, each old cue used once, in order; (2) else one on the same
// module and channel as an old cue still unused; (3) else, when every old cue
// of its module had one and the same name, that name; (4) else "HOST".
// Where a rule met old cues of different names it could not all pair, the
// cues it paired are counted as guessed, not kept.
CarryOver CarryHostNames(std::vector<Cue>& fresh, const std::vector<Cue>& old);

} // namespace show
