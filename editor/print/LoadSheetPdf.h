#pragma once

#include "show/LoadSheet.h"

#include <string>
#include <vector>

namespace editor {

// Writes the sheets as a PDF file (A4), whole or not at all: the file appears
// only once every page is written. Works without a window system: without an
// application object it makes one on the offscreen platform. False when the
// file cannot be written.
bool WriteLoadSheetsPdf(const std::string& path, const std::vector<show::LoadSheet>& sheets,
                        const std::string& show);

} // namespace editor
