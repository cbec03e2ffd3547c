#include "hostlink/DownloadOrder.h"

#include "hostlink/FrameDigest.h"
#include "show/DecimalValue.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace hostlink {

namespace {

std::int64_t KeyOf(bool nullLaunch, std::int32_t launch)
{
    return nullLaunch ? std::numeric_limits<std::int64_t>::min() : launch;
}

// Sorts by key, then by place; a table already in order, as an import
// writes one, is only looked over.
void SortOrder(std::vector<std::pair<std::int64_t, std::uint32_t>>& order)
{
    if (!std::is_sorted(order.begin(), order.end()))
        std::sort(order.begin(), order.end());
}

} // namespace

std::int64_t DownloadOrderKey(const show::Cue& cue)
{
    return KeyOf(cue.nulls.BlastTime, cue.BlastTime);
}

void PutInDownloadOrder(std::vector<show::Cue>& cues)
{
    std::vector<std::pair<std::int64_t, std::uint32_t>> order;
    order.reserve(cues.size());
    for (std::size_t i = 0; i < cues.size(); ++i)
        order.emplace_back(DownloadOrderKey(cues[i]), static_cast<std::uint32_t>(i));
    SortOrder(order);
    // Each cue moved to its place along the cycles of the order, so that
    // the show is never held twice.
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i].second == i)
            continue;
        show::Cue held = std::move(cues[i]);
        std::size_t to = i;
        for (std::size_t from = order[to].second; from != i; from = order[to].second) {
            cues[to] = std::move(cues[from]);
            order[to].second = static_cast<std::uint32_t>(to);
            to = from;
        }
        cues[to] = std::move(held);
        order[to].second = static_cast<std::uint32_t>(to);
    }
}

void TableOrderDigester::Add(const show::Cue& cue)
{
    const std::int64_t key = DownloadOrderKey(cue);
    inOrder_ = inOrder_ && (kept_.empty() || key >= lastKey_);
    lastKey_ = key;
    auto host = hostAt_.find(std::string_view(cue.HostName));
    if (host == hostAt_.end()) {
        host = hostAt_.emplace(cue.HostName, static_cast<std::uint32_t>(names_.size())).first;
        unbuildable_ |= !BuildCueNameField(cue.HostName, names_.emplace_back());
    }
    const std::optional<std::int32_t> addr = show::DecimalValue(cue.Addr);
    const std::optional<std::int32_t> channel = show::DecimalValue(cue.Channel);
    unbuildable_ |= !addr || !channel;
    kept_.push_back({{cue.CDCode, cue.Sector, cue.BlastTime, addr.value_or(0), channel.value_or(0)},
                     host->second,
                     cue.nulls.BlastTime});
}

std::optional<std::string> TableOrderDigester::Finish()
{
    if (unbuildable_)
        return std::nullopt;
    std::vector<std::pair<std::int64_t, std::uint32_t>> order; // key, then place in the table
    if (!inOrder_) {
        order.reserve(kept_.size());
        for (std::size_t i = 0; i < kept_.size(); ++i)
            order.emplace_back(KeyOf(kept_[i].nullLaunch, kept_[i].numbers.blastTime),
                               static_cast<std::uint32_t>(i));
        SortOrder(order);
    }
    FrameDigest digest;
    ProjectNameFrame projectName;
    if (!BuildProjectNameFrame(kProjectName, projectName))
        return std::nullopt;
    digest.Add(projectName.bytes);
    CueFrame frame;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const Kept& kept = kept_[inOrder_ ? i : order[i].second];
        BuildCueFrame(kept.numbers, names_[kept.host], PositionOf(i, kept_.size()), frame);
        digest.Add(frame.bytes);
    }
    return digest.Hex();
}

} // namespace hostlink
