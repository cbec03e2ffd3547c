#pragma once

#include "show/Failure.h"

#include <cstddef>
#include <optional>
#include <string>

// The rules of a host name, in one place: where a name is typed, where it is
// saved and where a show is checked.
namespace show {

// A host name fills at most the 64 bytes of a frame's name field, in GBK.
inline constexpr std::size_t kHostNameMaxBytes = 64;

// A host name as it is stored, sent and compared: without white space at
// either end, Unicode's included (the ideographic space U+3000, the no-break
// space). Two names are one when they are equal once trimmed; the one place
// that trims them.
std::string TrimHostName(const std::string& text);

// Refuses a host name that cannot be given to cues, raising Failure with
// why: empty, with control characters once trimmed (a line break, a tab, an
// escape sequence would break the load sheets and the terminals it is
// printed on), longer than the store's 32 characters once trimmed, or with a
// character GBK cannot encode (no firing host could be told it). A name of
// blanks only passes: it is a name as typed, and Save refuses it. `row` goes
// into the failure (0: as typed, no row).
void CheckHostName(const std::string& name, int row = 0);

// The same, for a name about to be stored: blanks only is empty then.
void CheckStoredHostName(const std::string& name, int row);

} // namespace show
