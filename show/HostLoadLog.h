#pragma once

#include "show/Failure.h"
#include "store/HostLoadTable.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace show {

using store::HostLoadRecord;

// Writes one conversation's record into the show store at `path`, in a write
// transaction of its own: begun, or ended in place of its begun one (see
// store::WriteHostLoad). A record that cannot be written never undoes what
// the host was sent: the caller gets a warning instead, kHostLoadsAccessStore
// for an Access store (it cannot hold one) or kHostLoadNotWritten.
std::optional<Failure> RecordHostLoad(const std::string& path, const HostLoadRecord& record);

// Every record of the show store at `path`, oldest first; none when it has
// none. Raises Failure: kStoreNotOpened, kHostLoadsNotRead.
std::vector<HostLoadRecord> LoadHostLoads(const std::string& path);

// "2026-05-04T18:30:05Z": the time in UTC, ISO 8601, to the second.
std::string UtcTimestamp(std::chrono::system_clock::time_point time);

} // namespace show
