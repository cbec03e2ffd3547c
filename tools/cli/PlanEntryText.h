#pragma once

#include "hostlink/HostLinkOptions.h"
#include "store/HostPlanTable.h"

#include <map>
#include <string>
#include <vector>

namespace cli {

// "NAME=CODE" of `plan --set`: the name before the last "=", the code in
// plain decimal digits after it. Raises UsageError otherwise; whether the
// code is in 1..252 is the plan's own rule.
store::HostPlanEntry ParsePlanEntry(const std::string& text);

// The `--target CODE=ADDR:PORT` texts of a field load, by host code. Raises
// UsageError for a text of another form, and for a code given twice.
std::map<int, hostlink::HostLinkOptions> ParseFieldTargets(const std::vector<std::string>& texts);

} // namespace cli
