#pragma once

#include "show/ShowCheck.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

namespace cli {

// The show check of a store, or nothing once the failure that kept it from
// being checked has been printed.
std::optional<show::ShowCheckReport> CheckStore(const std::string& store);

// One line per finding: severity, text, then the rows' "Sequence" values with
// runs written as ranges; then the summary line.
void WriteCheckReport(std::ostream& out, const show::ShowCheckReport& report);

// {"cues", "errors", "warnings", "findings": [{"severity", "kind", "text", "sequences"}]}
nlohmann::ordered_json CheckReportJson(const show::ShowCheckReport& report);

} // namespace cli
