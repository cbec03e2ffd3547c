#include "tools/cli/StoreCues.h"

#include "messages/ErrorRecord.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/ShowReader.h"
#include "tools/cli/CliCommon.h"

namespace cli {

std::optional<std::vector<show::Cue>> ReadStoreCues(const std::string& path)
{
    try {
        return show::ReadShowFile(path);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kOpening);
    }
    return std::nullopt;
}

std::optional<std::vector<show::HostPlanEntry>> ReadStorePlan(const std::string& path,
                                                              messages::Doing doing)
{
    try {
        return show::ReadHostPlanChecked(path);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, doing);
    }
    return std::nullopt;
}

} // namespace cli
