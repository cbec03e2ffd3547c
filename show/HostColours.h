#pragma once

#include "show/Cue.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace show {

// The colour of each host name of a show, as a hue (0..359): the first 24
// names, in the order they first appear in the show, each get a hue of their
// own, neighbours far apart on the colour wheel; later names take the hues
// again from the first. "HOST" (not yet assigned) and a blank name get none
// and stay plain. Every view of a show that colours hosts uses one of these.
class HostColours
{
public:
    static constexpr int kDistinctHues = 24;

    // Gives the names of these cues their hues afresh.
    void Assign(const std::vector<Cue>& cues);
    std::optional<int> Hue(const std::string& host) const;

    bool operator==(const HostColours&) const = default;

private:
    std::unordered_map<std::string, int> hues_; // trimmed name -> hue
};

} // namespace show
