#pragma once

#include "editor/OutputFile.h"
#include "show/LoadSheet.h"

#include <string>
#include <vector>

namespace editor {

// Writes the sheets as a PDF (A4) into `file` and puts it in place, whole or
// not at all. Works without a window system: without an application object
// it makes one on the offscreen platform. False when the sheets cannot be
// painted (nothing is put in place then); raises show::Failure when the file
// cannot be written (OutputFile).
bool WriteLoadSheetsPdf(OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show);

// The same into the file `path`, checked as an OutputFile that no input may
// be; false on any failure.
bool WriteLoadSheetsPdf(const std::string& path, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show);

} // namespace editor
