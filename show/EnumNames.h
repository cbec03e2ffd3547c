#pragma once

#include <cstddef>

namespace show {

// One value of an enum and what it is called: a table of these names every
// value where a switch would only map one to the other.
template <typename Enum> struct EnumName
{
    Enum value;
    const char* name;
};

// The name that `names` gives `value`, or `otherwise` for a value it lacks.
template <typename Enum, std::size_t N>
constexpr const char* NameIn(const EnumName<Enum> (&names)[N], Enum value, const char* otherwise)
{
    for (const EnumName<Enum>& entry : names)
        if (entry.value == value)
            return entry.name;
    return otherwise;
}

} // namespace show
