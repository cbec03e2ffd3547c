#include "StoreCues.h"

#include "CliCommon.h"
#include "ErrorDump.h"
#include "ShowCues.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

namespace cli {

std::optional<std::vector<store::CueRecord>> ReadStoreCues(const std::string& path)
{
    editor::ShowCues show = editor::ReadShowCues(path);
    switch (show.status) {
    case editor::ShowCues::kRead:
        return std::move(show.cues);
    case editor::ShowCues::kNoLayoutTable:
        PrintError(strings::kNoLayoutTable);
        return std::nullopt;
    case editor::ShowCues::kUnreadable:
        break;
    }
    PrintError(CondenseErrorDump(strings::FormatText(strings::kLoadFailed, show.detail.c_str()), "",
                                 VerboseOutput()));
    return std::nullopt;
}

} // namespace cli
