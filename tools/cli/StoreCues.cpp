#include "tools/cli/StoreCues.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/ShowCues.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/ErrorDump.h"

namespace cli {

std::optional<std::vector<show::Cue>> ReadStoreCues(const std::string& path)
{
    show::ShowCues show = show::ReadShowCues(path);
    switch (show.status) {
    case show::ShowCues::kRead:
        return std::move(show.cues);
    case show::ShowCues::kNoLayoutTable:
        PrintError(strings::kNoLayoutTable);
        return std::nullopt;
    case show::ShowCues::kUnreadable:
        break;
    }
    PrintError(CondenseErrorDump(strings::FormatText(strings::kLoadFailed, show.detail.c_str()), "",
                                 VerboseOutput()));
    return std::nullopt;
}

} // namespace cli
