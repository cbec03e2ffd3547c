#pragma once

#include <string>
#include <vector>

namespace store {

inline constexpr char kMdbReaderProgram[] = "tavrin-mdb-reader";

// The places where the reader program is looked for, in order: next to the
// running program, then the build's program folder.
std::vector<std::string> MdbReaderCandidates();

// The first candidate that can be run; empty when there is none.
std::string LocateMdbReader();

} // namespace store
