#pragma once

#include "show/LoadSheet.h"
#include "show/OutputFile.h"

#include <string>
#include <vector>

namespace editor {

// Writes the sheets as a PDF (A4) into `file` and puts it in place, whole or
// not at all. Works without a window system: without an application object
// it makes one on the offscreen platform. Raises show::Failure
// kSheetsNotPainted when the sheets cannot be painted, and those of
// OutputFile when the file cannot be written; nothing is put in place then.
void WriteLoadSheetsPdf(show::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show);

} // namespace editor
