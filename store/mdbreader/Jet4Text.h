#pragma once

#include "store/access/Jet4Text.h"

// The Jet 4 text decoding lives with the Access file reader.
namespace mdbreader {
using jet::Jet4TextToUtf8;
} // namespace mdbreader
