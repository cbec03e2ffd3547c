#pragma once

#include "show/ShowCheck.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace cli {

// One line per finding: severity, text, then the rows' "Sequence" values with
// runs written as ranges; then the summary line.
void WriteCheckReport(std::ostream& out, const show::ShowCheckReport& report);

// {"cues", "errors", "warnings", "findings": [{"severity", "kind", "text", "sequences"}]}
nlohmann::ordered_json CheckReportJson(const show::ShowCheckReport& report);

} // namespace cli
