#pragma once

#include "show/Cue.h"
#include "show/TextKeyedMap.h"
#include "store/LayoutTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace show {

// What one host name of a show fires: for the crew to compare with what a
// host shows after a download.
struct SheetSummary
{
    std::string host;
    int cues = 0;
    std::int32_t firstLaunch = 0; // milliseconds
    std::int32_t lastLaunch = 0;
    std::vector<std::int32_t> modules; // as the host gets them, ascending, each once
};

// One entry per host name, in byte order of the names. Modules whose text
// gives no 32-bit number (the show check reports them) are left out.
std::vector<SheetSummary> BuildSheetSummaries(const std::vector<show::Cue>& cues);

// The same made a cue at a time, for a show read as it streams: a field's
// show has a quarter of a million cues on a few hundred hosts and fewer
// module texts, each looked up by its text once.
class SheetSummaryBuilder
{
public:
    void Add(const show::Cue& cue);
    // The cues `other` took, taken here as well.
    void Merge(SheetSummaryBuilder&& other);
    std::vector<SheetSummary> Finish();

private:
    // The entry of `host`, made when it has none, its launches those of `first`.
    std::size_t HostAt(const std::string& host, std::int32_t first);

    TextKeyedMap<std::size_t> hostAt_;
    std::vector<SheetSummary> hosts_;
    std::vector<std::vector<std::int32_t>> modules_;
    TextKeyedMap<std::optional<std::int32_t>> moduleNumbers_;
};

} // namespace show
