#include "tools/cli/ErrorDump.h"

namespace cli {

namespace {

constexpr char kConnectionLine[] = "Connection String = ";
constexpr char kCodeLine[] = "\n\tCode = ";

// The value of "\t<field> = value" in the record, up to its line break.
std::string FieldValue(const std::string& record, const std::string& field)
{
    const std::string label = "\t" + field + " = ";
    const std::size_t at = record.find(label);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + label.size();
    return record.substr(from, record.find('\n', from) - from);
}

std::string WithoutTrailingBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

std::string CondenseErrorDump(const std::string& message, const std::string& headline, bool verbose)
{
    const std::size_t code = message.find(kCodeLine);
    if (code == std::string::npos)
        return message;
    // The record starts at its "<who> Error" line, or at the connection line
    // before it.
    const std::size_t whoLine = message.rfind('\n', code == 0 ? 0 : code - 1);
    std::size_t start = whoLine == std::string::npos ? 0 : whoLine + 1;
    const std::size_t connection = message.rfind(kConnectionLine, start);
    if (connection != std::string::npos && (connection == 0 || message[connection - 1] == '\n') &&
        message.find('\n', connection) + 1 == start)
        start = connection;
    const std::string record = message.substr(start);
    std::string head = WithoutTrailingBreaks(message.substr(0, start));
    if (head.empty())
        head = headline;
    std::string description = FieldValue(record, "Description");
    if (description.empty())
        description = FieldValue(record, "Code meaning");
    std::string shown = head;
    for (const std::string& part : {description, verbose ? record : std::string()}) {
        const std::string text = WithoutTrailingBreaks(part);
        if (!text.empty())
            shown += (shown.empty() ? "" : "\n") + text;
    }
    return shown;
}

} // namespace cli
