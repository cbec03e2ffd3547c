#pragma once

#include "tests/store/jetgen/JetTable.h"

#include <cstddef>
#include <functional>
#include <string>

namespace bench {

// FireData as FireOne writes it, one record a cue; with a Memo note of
// `noteBytes` for each when that is not 0.
jetgen::Table FireOneAccessData(std::size_t records, std::size_t noteBytes);

// Writes a Jet 4 file of those tables in a child process, where there is
// one, so that its making costs the measured process nothing; false when
// that failed (said on stderr).
bool WriteAccessFileInChild(const std::string& path, const std::function<jetgen::Table()>& table);

} // namespace bench
