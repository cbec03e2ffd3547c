#pragma once

#include "show/LoadSheet.h"

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace editor {

// Paints the sheets on a printer or a PDF, each host name from a new page
// and onto more pages when its cues do not fit one; every page repeats the
// host's heading and says which of the host's pages it is. `show` names the
// show store. Returns the number of pages, -1 when the device cannot be
// painted on.
int PaintLoadSheets(QPagedPaintDevice& device, const std::vector<show::LoadSheet>& sheets,
                    const std::string& show);

} // namespace editor
