#include "messages/ErrorRecord.h"

namespace messages {

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

SplitMessage SplitErrorRecord(const std::string& message, const std::string& headline)
{
    const std::size_t code = message.find(kCodeLine);
    if (code == std::string::npos)
        return {message, {}};
    // The record starts at its "<who> Error" line, or at the connection line
    // before it.
    const std::size_t whoLine = message.rfind('\n', code == 0 ? 0 : code - 1);
    std::size_t start = whoLine == std::string::npos ? 0 : whoLine + 1;
    const std::size_t connection = message.rfind(kConnectionLine, start);
    if (connection != std::string::npos && (connection == 0 || message[connection - 1] == '\n') &&
        message.find('\n', connection) + 1 == start)
        start = connection;
    SplitMessage split{WithoutTrailingBreaks(message.substr(0, start)),
                       WithoutTrailingBreaks(message.substr(start))};
    if (split.text.empty())
        split.text = headline;
    std::string description = FieldValue(split.record, "Description");
    if (description.empty())
        description = FieldValue(split.record, "Code meaning");
    description = WithoutTrailingBreaks(description);
    if (!description.empty())
        split.text += (split.text.empty() ? "" : "\n") + description;
    return split;
}

SplitMessage ForReader(const std::string& text, const std::string& record,
                       const std::string& headline)
{
    if (record.empty() || text.find(record) != std::string::npos)
        return SplitErrorRecord(text, headline);
    SplitMessage split = SplitErrorRecord(record);
    const std::string own = WithoutTrailingBreaks(text);
    if (split.record.empty()) // no record after all: one text
        return {own.empty() ? record : own + "\n" + record, {}};
    const std::string description = split.text; // a copy: the text is made anew
    split.text = own.empty() ? headline : own;
    // A message that names the description already does not say it twice.
    if (!description.empty() && own.find(description) == std::string::npos)
        split.text += (split.text.empty() ? "" : "\n") + description;
    return split;
}

std::string CondenseErrorDump(const std::string& message, const std::string& headline, bool verbose)
{
    return Condensed(SplitErrorRecord(message, headline), verbose);
}

std::string Condensed(const SplitMessage& split, bool verbose)
{
    if (!verbose || split.record.empty())
        return split.text;
    return split.text + (split.text.empty() ? "" : "\n") + split.record;
}

} // namespace messages
