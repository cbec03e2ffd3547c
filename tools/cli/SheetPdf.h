#pragma once

#include "editor/OutputFile.h"
#include "show/LoadSheet.h"

#include <string>
#include <vector>

namespace cli {

// Writes the sheets of the show named `show` as a PDF into `file` and puts it
// in place; the exit code, after saying why on standard error when it is not
// a success. A build without Qt writes no PDF and says so.
int WriteSheetPdf(editor::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                  const std::string& show);

} // namespace cli
