#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace show {

// The host name each cue had when its show was last read or saved. A show
// has a hundred thousand cues and a few dozen names: each distinct name is
// held once, and each cue holds its number.
class SavedHostNames
{
public:
    void Clear();
    void Reserve(std::size_t cues) { of_.reserve(cues); }
    void Append(const std::string& name);
    void Set(std::size_t cue, const std::string& name);
    // Valid while this lives: a name once held is never dropped or moved.
    const std::string& operator[](std::size_t cue) const { return names_[of_[cue]]; }

private:
    std::uint32_t Number(const std::string& name);

    std::deque<std::string> names_; // a deque: its names stay where they are
    std::unordered_map<std::string, std::uint32_t> numbers_;
    std::vector<std::uint32_t> of_;
};

} // namespace show
