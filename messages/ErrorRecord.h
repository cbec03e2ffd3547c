#pragma once

#include <string>

namespace messages {

// A message that carries the access layer's error record ("Connection String
// = ...", "<who> Error", "\tCode = ...", ..., "\tDescription = ..."), split
// for a reader: the message's own lines and the record's description first,
// the whole record apart, for whoever asks for details. A message that is the
// bare record gets `headline` before its description; a message without a
// record is all short text.
struct SplitMessage
{
    std::string text;
    std::string record; // empty when there is none
};
SplitMessage SplitErrorRecord(const std::string& message, const std::string& headline = {});

// A message and the access layer's record that goes with it, kept apart, as a
// reader gets them: the message's own lines with the record's description
// after them (`headline` in their place when the message has none), and the
// record whole. Without a record (or with one the message holds already), a
// message that is itself the layer's text passed on whole is split as
// SplitErrorRecord does.
SplitMessage ForReader(const std::string& text, const std::string& record,
                       const std::string& headline = {});

// A split message as one text: the short part, then the record when `verbose`.
std::string Condensed(const SplitMessage& split, bool verbose);

// The same as one text: the short part, then the record when `verbose`.
std::string CondenseErrorDump(const std::string& message, const std::string& headline,
                              bool verbose);

} // namespace messages
