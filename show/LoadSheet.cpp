#include "show/LoadSheet.h"

#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/LaunchTime.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace show {

namespace {

// Numbers first, by value; texts that hold none (the show check reports
// them) after, by text.
std::tuple<bool, std::int64_t, std::string> NumberOrder(const std::string& text)
{
    const std::optional<std::int32_t> value = show::DecimalValue(text);
    return {!value, value.value_or(0), text};
}

// Sorts `items` as std::sort does by the order of `keyOf`, each key made
// once rather than at every comparison; the same comparisons in the same
// sequence give the same order.
template <typename Item, typename KeyOf> void SortBy(std::vector<Item>& items, KeyOf keyOf)
{
    using Key = decltype(keyOf(items.front()));
    std::vector<std::pair<Key, std::size_t>> keyed;
    keyed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keyed.emplace_back(keyOf(items[i]), i);
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const auto& [key, at] : keyed)
        sorted.push_back(std::move(items[at]));
    items = std::move(sorted);
}

} // namespace

std::vector<LoadSheet> BuildLoadSheets(const std::vector<show::Cue>& cues,
                                       const HostCodeLookup& hostCode)
{
    // Each host's modules, in the order of their texts; found by text once a
    // cue, in a few hundred hosts' maps rather than one map of them all.
    std::unordered_map<std::string_view, std::map<std::string, std::vector<SheetCue>>> byHost;
    for (const show::Cue& cue : cues)
        byHost[cue.HostName][cue.Addr].push_back({cue.Channel, cue.BlastTime, cue.CDCode});
    std::vector<LoadSheet> sheets;
    for (SheetSummary& summary : BuildSheetSummaries(cues)) {
        LoadSheet sheet;
        sheet.hostCode = hostCode ? hostCode(summary.host) : std::nullopt;
        for (auto& [module, moduleCues] : byHost[summary.host]) {
            SortBy(moduleCues, [](const SheetCue& cue) {
                return std::tuple(NumberOrder(cue.channel), cue.launch);
            });
            sheet.modules.push_back({module, std::move(moduleCues)});
        }
        SortBy(sheet.modules, [](const SheetModule& module) { return NumberOrder(module.module); });
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
