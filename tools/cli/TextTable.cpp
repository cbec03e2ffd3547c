#include "tools/cli/TextTable.h"

#include "show/ControlCharacters.h"

#include <algorithm>

namespace cli {

namespace {

// Terminal columns of a UTF-8 text: wide for the CJK and full-width blocks.
std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            code = lead & 0x1F;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += (code >= 0x2E80 && code <= 0xA4CF) || (code >= 0xAC00 && code <= 0xD7A3) ||
                         (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFF60)
                     ? 2
                     : 1;
        i += length;
    }
    return width;
}

// A cell's control characters as \xNN, so that a name from a show file
// cannot steer the terminal.
std::vector<TextRow> Escaped(const std::vector<TextRow>& rows, std::string_view keep = {})
{
    std::vector<TextRow> escaped = rows;
    for (TextRow& row : escaped)
        for (std::string& cell : row)
            cell = show::EscapeControlCharacters(cell, keep);
    return escaped;
}

} // namespace

void WriteAligned(std::ostream& out, const std::vector<TextRow>& shownRows)
{
    const std::vector<TextRow> rows = Escaped(shownRows);
    std::vector<std::size_t> widths;
    for (const TextRow& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const TextRow& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line.append(widths[c] - DisplayWidth(row[c]) + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    }
}

void WriteCsv(std::ostream& out, const std::vector<TextRow>& shownRows)
{
    // Line breaks stay: a quoted cell may hold them.
    for (const TextRow& row : Escaped(shownRows, "\r\n")) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string& cell = row[c];
            if (c > 0)
                out << ',';
            if (cell.find_first_of(",\"\r\n") == std::string::npos) {
                out << cell;
                continue;
            }
            out << '"';
            for (const char ch : cell) {
                if (ch == '"')
                    out << '"';
                out << ch;
            }
            out << '"';
        }
        out << '\n';
    }
}

} // namespace cli
