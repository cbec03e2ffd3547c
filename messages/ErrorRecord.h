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

// The same as one text: the short part, then the record when `verbose`.
std::string CondenseErrorDump(const std::string& message, const std::string& headline,
                              bool verbose);

} // namespace messages
