#include "editor/print/LoadSheetPdf.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/SheetPdf.h"

namespace cli {

int WriteSheetPdf(editor::OutputFile& file, const std::vector<show::LoadSheet>& sheets,
                  const std::string& show)
{
    if (editor::WriteLoadSheetsPdf(file, sheets, show))
        return kSuccess;
    PrintError(strings::FormatText(strings::kCliPdfFailed, file.Target().c_str()));
    return kFailure;
}

} // namespace cli
