#include "show/HostNameRules.h"

#include "platform/Gbk.h"
#include "show/ControlCharacters.h"
#include "store/LayoutTable.h"
#include "store/Variant.h"

namespace show {

namespace {

// Unicode's white space (the White_Space property), as a name typed in any
// input method or written by another program may carry it at its ends.
bool IsWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The code point of the UTF-8 sequence of `size` bytes at `at`; a byte that
// is no UTF-8 is none of the white space above.
char32_t CodePointAt(const std::string& text, std::size_t at, std::size_t size)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    switch (size) {
    case 1:
        return byte(0) < 0x80 ? byte(0) : 0xFFFD;
    case 2:
        return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    case 3:
        return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    default:
        return 0xFFFD;
    }
}

// The length of the sequence that starts at `at`, by its first byte.
std::size_t SequenceAt(const std::string& text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t size = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::size_t whole = 1;
    while (whole < size && at + whole < text.size() && IsContinuation(text[at + whole]))
        ++whole;
    return whole == size ? size : 1;
}

} // namespace

std::string TrimHostName(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size()) {
        const std::size_t size = SequenceAt(text, first);
        if (!IsWhiteSpace(CodePointAt(text, first, size)))
            break;
        first += size;
    }
    std::size_t last = text.size();
    while (last > first) {
        std::size_t start = last - 1;
        while (start > first && IsContinuation(text[start]))
            --start;
        const std::size_t size = SequenceAt(text, start);
        if (start + size != last || !IsWhiteSpace(CodePointAt(text, start, size)))
            break;
        last = start;
    }
    return text.substr(first, last - first);
}

void CheckHostName(const std::string& name, int row)
{
    const auto refuse = [&](FailureCode code) { throw Failure(code).WithRow(row).WithName(name); };
    if (name.empty())
        refuse(FailureCode::kHostNameEmpty);
    // Blanks, tabs and line breaks at the ends go when the name is stored.
    const std::string trimmed = TrimHostName(name);
    if (HasControlCharacter(trimmed))
        refuse(FailureCode::kHostNameControl);
    if (ado::Utf8Length(trimmed) > static_cast<std::size_t>(store::kHostNameMaxChars))
        refuse(FailureCode::kHostNameTooLong);
    if (!platform::Utf8ToGbk(trimmed))
        refuse(FailureCode::kHostNameNotGbk);
}

void CheckStoredHostName(const std::string& name, int row)
{
    if (TrimHostName(name).empty())
        throw Failure(FailureCode::kHostNameEmpty).WithRow(row).WithName(name);
    CheckHostName(name, row);
}

} // namespace show
