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
    if (kept_.empty())
        firstKey_ = key;
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

void TableOrderDigester::BeginAsFirst()
{
    ProjectNameFrame projectName;
    if (kept_.empty() || !inOrder_ || unbuildable_ ||
        !BuildProjectNameFrame(kProjectName, projectName))
        return;
    digest_.Add(projectName.bytes);
    // All but the last, whose place (the show's last cue or not) later runs tell.
    CueFrame frame;
    for (; begun_ + 1 < kept_.size(); ++begun_) {
        const Kept& kept = kept_[begun_];
        BuildCueFrame(kept.numbers, names_[kept.host], PositionOf(begun_, SIZE_MAX), frame);
        digest_.Add(frame.bytes);
    }
}

std::optional<std::string> TableOrderDigester::Finish()
{
    return Finish({this});
}

std::optional<std::string> TableOrderDigester::Finish(const std::vector<TableOrderDigester*>& runs)
{
    std::size_t total = 0;
    bool inOrder = true;
    std::optional<std::int64_t> lastKey;
    for (const TableOrderDigester* run : runs) {
        if (run->unbuildable_)
            return std::nullopt;
        if (run->kept_.empty())
            continue;
        inOrder = inOrder && run->inOrder_ && (!lastKey || run->firstKey_ >= *lastKey);
        lastKey = run->lastKey_;
        total += run->kept_.size();
    }
    // Out of order, each cue by its place in the whole table, in the
    // download's order; a place is found in its run by where the runs start.
    std::vector<std::pair<std::int64_t, std::uint32_t>> order; // key, then place in the table
    std::vector<std::size_t> starts;
    if (!inOrder) {
        order.reserve(total);
        for (const TableOrderDigester* run : runs) {
            starts.push_back(order.size());
            for (const Kept& kept : run->kept_)
                order.emplace_back(KeyOf(kept.nullLaunch, kept.numbers.blastTime),
                                   static_cast<std::uint32_t>(order.size()));
        }
        SortOrder(order);
    }
    // In order, the first run's digest goes on from where it was begun.
    const TableOrderDigester& first = *runs.front();
    const bool begun = inOrder && first.begun_ > 0;
    FrameDigest digest = begun ? first.digest_ : FrameDigest();
    if (!begun) {
        ProjectNameFrame projectName;
        if (!BuildProjectNameFrame(kProjectName, projectName))
            return std::nullopt;
        digest.Add(projectName.bytes);
    }
    CueFrame frame;
    const auto add = [&](const TableOrderDigester& run, std::size_t place, std::size_t index) {
        const Kept& kept = run.kept_[place];
        BuildCueFrame(kept.numbers, run.names_[kept.host], PositionOf(index, total), frame);
        digest.Add(frame.bytes);
    };
    if (inOrder) {
        std::size_t index = begun ? first.begun_ : 0;
        for (std::size_t r = 0; r < runs.size(); ++r)
            for (std::size_t i = r == 0 && begun ? first.begun_ : 0; i < runs[r]->kept_.size(); ++i)
                add(*runs[r], i, index++);
    } else {
        for (std::size_t index = 0; index < order.size(); ++index) {
            const std::size_t place = order[index].second;
            const std::size_t r =
                static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), place) -
                                         starts.begin()) -
                1;
            add(*runs[r], place - starts[r], index);
        }
    }
    return digest.Hex();
}

} // namespace hostlink
