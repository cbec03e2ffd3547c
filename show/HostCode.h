#pragma once

#include <string>

namespace show {

inline constexpr int kLowestHostCode = 1;
inline constexpr int kHighestHostCode = 252;

// The host-code text as the user typed it: empty, outside 1..252 (letters
// alone read as 0), or a host code.
struct HostCodeInput
{
    enum Status
    {
        kValid,
        kEmpty,
        kOutOfRange
    };
    Status status = kEmpty;
    int code = 0; // set when valid
};

HostCodeInput ReadHostCode(const std::string& text);

} // namespace show
