#pragma once

#include "store/access/JetFormat.h"
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
// Raises, naming `place`, on a header or a pointer that leads nowhere, a
// chain that loops, or pieces that do not add up to the length.
std::string ReadLongValue(std::string_view stored, Pages& pages, const JetFormat& format,
                          const Place& place);

} // namespace jet
