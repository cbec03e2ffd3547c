#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace show {

// A map of texts that finds an entry by a view of another text, without
// making a string of it: for lookups by the hundred thousand.
struct TextHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};

template <typename Value>
using TextKeyedMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

} // namespace show
