#pragma once

#include "store/engine/DatabaseEngine.h"
#include "store/engine/MdbReaderProtocol.h"

#include <cstdint>
#include <optional>
#include <string>

namespace store {

// The Access column type of a reader's type number; none for numbers it never
// sends.
std::optional<mdbproto::AccessType> AccessTypeOf(std::uint8_t number);

// The column that an Access column becomes: its kind of value, its width and
// an SQLite declaration that reads back as the same kind (so that a table can
// be copied into SQLite keeping its types). `width` is in characters for text.
ColumnInfo AccessColumn(std::string name, mdbproto::AccessType type, std::uint32_t width,
                        int precision, int scale);

} // namespace store
