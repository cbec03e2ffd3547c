#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace jet {

// Access 97 (Jet 3) texts are bytes in the code page the file's header names.
// The single-byte Windows code pages are converted; a file in a multi-byte
// code page (Japanese, Chinese, Korean) is refused rather than guessed at.
class CodePageText
{
public:
    // Raises Unreadable for a code page it cannot convert. 0, and code pages
    // Jet never writes, stand for Western (1252), as Jet reads them.
    explicit CodePageText(std::uint16_t codePage);

    // UTF-8; a byte the code page has no character for becomes '?'.
    std::string ToUtf8(std::string_view stored) const;

private:
    const std::uint16_t* high_; // bytes 0x80 to 0xFF
};

// Bytes 0x80 to 0xFF of a single-byte code page; none for code pages it does
// not hold.
const std::uint16_t* CodePageHighHalf(std::uint16_t codePage);

} // namespace jet
