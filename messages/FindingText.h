#pragma once

#include "show/ShowCheck.h"

#include <string>

// The show check's findings in the user's words, from the string table.
namespace messages {

std::string FindingText(const show::ShowFinding& finding);

// The severity's word ("error", "warning").
const char* SeverityText(show::FindingSeverity severity);

} // namespace messages
