#pragma once

#include <nlohmann/json.hpp>

namespace cli {

// Writes `json` to standard output, indented, with a line break after it;
// bytes that are not UTF-8 (a host name in a store written elsewhere) become
// U+FFFD rather than an exception. The exit code: 0, or 1 when standard
// output did not take it all.
int WriteJsonResult(const nlohmann::ordered_json& json);

// 0, or 1 when standard output did not take all that was written to it.
int OutputResult();

} // namespace cli
