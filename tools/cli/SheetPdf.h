#pragma once

#include "show/LoadSheet.h"
#include "show/OutputFile.h"

#include <string>
#include <vector>

namespace cli {

// Writes the sheets of the show named `show` as a PDF into `file` and puts it
// in place: the exit code. Raises show::Failure (editor::WriteLoadSheetsPdf).
// A build without Qt writes no PDF and says so.
int WriteSheetPdf(show::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                  const std::string& show);

} // namespace cli
