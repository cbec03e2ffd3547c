#include "show/SavedHostNames.h"

namespace show {

void SavedHostNames::Clear()
{
    of_.clear();
    numbers_.clear();
    names_.clear();
}

std::uint32_t SavedHostNames::Number(const std::string& name)
{
    if (const auto it = numbers_.find(name); it != numbers_.end())
        return it->second;
    const auto number = static_cast<std::uint32_t>(names_.size());
    names_.push_back(name);
    numbers_.emplace(name, number);
    return number;
}

void SavedHostNames::Append(const std::string& name)
{
    of_.push_back(Number(name));
}

void SavedHostNames::Set(std::size_t cue, const std::string& name)
{
    of_[cue] = Number(name);
}

} // namespace show
