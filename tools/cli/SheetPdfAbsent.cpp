#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/SheetPdf.h"

namespace cli {

// The target was checked as for a real PDF (the same refusals); nothing is
// put in its place.
int WriteSheetPdf(show::OutputFile& /*file*/, const std::vector<show::LoadSheet>& /*sheets*/,
                  const std::string& /*show*/)
{
    PrintError(strings::kCliPdfNotBuilt);
    return kFailure;
}

} // namespace cli
