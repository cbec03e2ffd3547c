#pragma once

#include "tests/store/jetgen/JetTable.h"

#include <cstdint>
#include <string>
#include <string_view>

// How Jet 4 stores numbers, texts and fixed-size values.
namespace jetgen {

// Appends `value` as `bytes` little-endian bytes.
void PutLe(std::string& out, std::uint64_t value, int bytes);
// Writes `value` as `bytes` little-endian bytes at `at`.
void SetLe(std::string& out, std::size_t at, std::uint64_t value, int bytes);
std::uint32_t GetLe(const std::string& in, std::size_t at, int bytes);

// UTF-8 (assumed valid) as UTF-16LE bytes.
std::string Utf16(std::string_view utf8);
// A text as Jet 4 stores it: compressed (0xFF 0xFE, then runs of one-byte
// characters and of UTF-16LE units, switched by a 0 byte) when `compress`,
// when every character can be written so and when that is shorter; UTF-16LE
// otherwise.
std::string StoredText(std::string_view utf8, bool compress);

// The bytes a fixed-size column takes in a row (0 for Boolean, whose value is
// its bit in the NULL mask), or -1 for a variable-length column.
int FixedSize(Type type);
// A value of a fixed-size column, as stored.
std::string FixedValue(const Column& column, const Value& value);

// Raises std::invalid_argument naming the column.
[[noreturn]] void Misfit(const Column& column, const std::string& why);

} // namespace jetgen
