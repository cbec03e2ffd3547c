#include "show/LoadSheet.h"

#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/LaunchTime.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace show {

namespace {

// Numbers first, by value; texts that hold none (the show check reports
// them) after, by text.
std::tuple<bool, std::int64_t, std::string> NumberOrder(const std::string& text)
{
    const std::optional<std::int32_t> value = show::DecimalValue(text);
    return {!value, value.value_or(0), text};
}

} // namespace

std::vector<LoadSheet> BuildLoadSheets(const std::vector<show::Cue>& cues,
                                       const HostCodeLookup& hostCode)
{
    std::map<std::string, std::map<std::string, std::vector<SheetCue>>> byHost;
    for (const show::Cue& cue : cues)
        byHost[cue.HostName][cue.Addr].push_back({cue.Channel, cue.BlastTime, cue.CDCode});
    std::vector<LoadSheet> sheets;
    for (SheetSummary& summary : BuildSheetSummaries(cues)) {
        LoadSheet sheet;
        sheet.hostCode = hostCode ? hostCode(summary.host) : std::nullopt;
        for (auto& [module, moduleCues] : byHost[summary.host]) {
            std::sort(moduleCues.begin(), moduleCues.end(), [](const auto& a, const auto& b) {
                return std::tuple(NumberOrder(a.channel), a.launch) <
                       std::tuple(NumberOrder(b.channel), b.launch);
            });
            sheet.modules.push_back({module, std::move(moduleCues)});
        }
        std::sort(sheet.modules.begin(), sheet.modules.end(), [](const auto& a, const auto& b) {
            return NumberOrder(a.module) < NumberOrder(b.module);
        });
        sheet.summary = std::move(summary);
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

std::vector<std::vector<std::string>> LoadSheetTable(const std::vector<LoadSheet>& sheets)
{
    std::vector<std::vector<std::string>> rows = {{strings::kColHost, strings::kSheetHostCode,
                                                   strings::kColSla, strings::kColCue,
                                                   strings::kColLaunchTime, strings::kColEvent}};
    for (const LoadSheet& sheet : sheets) {
        const std::string code = sheet.hostCode ? std::to_string(*sheet.hostCode) : "";
        for (const SheetModule& module : sheet.modules)
            for (const SheetCue& cue : module.cues)
                rows.push_back({sheet.summary.host, code, module.module, cue.channel,
                                show::FormatLaunchTime(cue.launch), std::to_string(cue.event)});
    }
    return rows;
}

HostCodeLookup PlannedHostCodes(const std::vector<store::HostPlanEntry>& plan)
{
    std::map<std::string, int> codes;
    for (const store::HostPlanEntry& entry : plan)
        codes.emplace(entry.HostName, entry.HostCode);
    return [codes = std::move(codes)](const std::string& host) -> std::optional<int> {
        const auto found = codes.find(host);
        if (found == codes.end())
            return std::nullopt;
        return found->second;
    };
}

} // namespace show
