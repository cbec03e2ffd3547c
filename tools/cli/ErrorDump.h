#pragma once

#include <string>

namespace cli {

// A message that carries the access layer's error record ("Connection String
// = ...", "<who> Error", "\tCode = ...", ..., "\tDescription = ..."), as a
// terminal shows it: the message's own lines, then the description, and the
// whole record only when `verbose`. A message that is the bare record gets
// `headline` before it. Messages without a record pass unchanged.
std::string CondenseErrorDump(const std::string& message, const std::string& headline,
                              bool verbose);

} // namespace cli
