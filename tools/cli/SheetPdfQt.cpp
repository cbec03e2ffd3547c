#include "editor/print/LoadSheetPdf.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/SheetPdf.h"

namespace cli {

int WriteSheetPdf(show::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                  const std::string& show)
{
    editor::WriteLoadSheetsPdf(file, sheets, show);
    return kSuccess;
}

} // namespace cli
