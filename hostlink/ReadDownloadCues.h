#pragma once

#include "show/Cue.h"

#include <optional>
#include <string>
#include <vector>

namespace hostlink {

inline constexpr char kDownloadQuery[] = "SELECT * FROM tb_Layout ORDER BY BlastTime";

// Every cue a download sends from the show store at `path`, in launch-time
// order. An unreadable store is never taken for an empty show. Raises
// show::Failure: kStoreNotOpened, kNoLayoutTable, kTableNotOpened, kBadField
// (a field that would go to the host as a made-up 0), kDatabase.
std::vector<show::Cue> ReadDownloadCues(const std::string& path);

// The digest of what a download of the store sends (ShowDigest of those
// cues). Raises as ReadDownloadCues.
std::optional<std::string> ReadDownloadDigest(const std::string& path);

} // namespace hostlink
