#pragma once

#include "store/access/JetFormat.h"
#include "store/access/LongValueClaims.h"
#include "store/access/Pages.h"
#include "store/access/Unreadable.h"

#include <string>
#include <string_view>

namespace jet {

// The bytes of a Memo or OLE value. In the row it is a 12-byte header: u32
// length with flags in its top bits, u32 row pointer, u32. Flag 0x80: the
// value follows the header in the row; 0x40: it is the whole row the pointer
// finds; neither: it runs over a chain of rows, each a u32 pointer to the
// next (0 ends) and a piece of the value.
//
// The longest value read, in bytes. A show file's memos are notes of a few
// lines; the bound keeps what one value costs the reader and the import that
// takes its answer (a value is held whole, several times over, on its way
// into a store) small whatever a file claims.
inline constexpr std::uint32_t kMaxLongValueBytes = std::uint32_t{8} << 20;

// Raises, naming `place`, on a header or a pointer that leads nowhere, a
// chain that loops, pieces that do not add up to the length, or a value
// longer than kMaxLongValueBytes. With `claims`, also on a long-value row
// that a value read before led to as well.
std::string ReadLongValue(std::string_view stored, Pages& pages, const JetFormat& format,
                          const Place& place, LongValueClaims* claims = nullptr);

} // namespace jet
