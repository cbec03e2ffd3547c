#pragma once

#include "hostlink/FrameDigest.h"
#include "hostlink/Frames.h"
#include "show/Cue.h"
#include "show/TextKeyedMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hostlink {

// Where a cue goes in a download: by launch time, a NULL one (read as 0)
// before any number, as SQL orders them. Cues of one key go in the order the
// show table holds them, as SQLite's sort keeps them.
std::int64_t DownloadOrderKey(const show::Cue& cue);

// Cues of a show table in its order, put in the download's order.
void PutInDownloadOrder(std::vector<show::Cue>& cues);

// The digest ShowDigest gives for the download of a show, made from its cues
// in the table's order. Each cue is kept as the numbers of its frame, its
// host's name field made once a host: under a third of the cue's own size,
// until the order is known.
class TableOrderDigester
{
public:
    // The most cues kept, 56 MB of them: a field's show is a quarter of a
    // million. Past it the query's sort, which spills to files, takes over.
    static constexpr std::size_t kMostKept = 2'000'000;

    std::size_t KeptCount() const { return kept_.size(); }
    // Room for `cues` more, where the count is known before they come.
    void Reserve(std::size_t cues) { kept_.reserve(kept_.size() + cues); }
    void Add(const show::Cue& cue);
    // Begins the digest with these cues, as the first of the show, while
    // later runs of it are still being read: a show in launch order, as an
    // import writes one, needs only to go on from there.
    void BeginAsFirst();
    // Nothing when a cue cannot be built, as such a show cannot be sent.
    std::optional<std::string> Finish();
    // The same for a show read in runs, each run's cues before the next's.
    static std::optional<std::string> Finish(const std::vector<TableOrderDigester*>& runs);

private:
    struct Kept
    {
        CueFrameNumbers numbers;
        std::uint32_t host = 0; // into names_
        bool nullLaunch = false;
    };
    std::vector<Kept> kept_;
    // Whether the keys came in order so far, as a show imported in launch
    // order does: then nothing needs sorting.
    bool inOrder_ = true;
    std::int64_t firstKey_ = 0, lastKey_ = 0;
    show::TextKeyedMap<std::uint32_t> hostAt_;
    std::vector<CueNameField> names_;
    bool unbuildable_ = false;
    // The digest as BeginAsFirst left it, of the first `begun_` cues.
    FrameDigest digest_;
    std::size_t begun_ = 0;
};

} // namespace hostlink
