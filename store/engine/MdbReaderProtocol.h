#pragma once

#include <cstdint>

// What tavrin-mdb-reader writes on its standard output, read back by
// MdbReaderOutput. All numbers are little-endian; a text is a u32 byte count
// followed by that many bytes (UTF-8 for names and texts).
//
//   answer    := magic kind body trailer
//   catalogue := u32 count, count x (text name, u8 ObjectKind)
//   table     := text name, u32 columns, columns x column, rows
//   column    := text name, u8 AccessType, u32 width, u8 precision, u8 scale
//   rows      := { kRowFollows value... } (kRowsEnd | kRowsFailed text)
//   value     := u8 0 (NULL) | u8 1 payload, by the column's AccessType
//   failure   := text description
namespace mdbproto {

inline constexpr char kMagic[4] = {'T', 'M', 'R', '1'};
inline constexpr char kTrailer[4] = {'T', 'E', 'N', 'D'};

// No text of an answer is longer: the reader's longest value is 8 MiB
// (jet::kMaxLongValueBytes), and UTF-8 takes at most three bytes for each
// byte of a stored text. A longer count is damage, refused before it costs
// memory.
inline constexpr std::uint32_t kMaxTextBytes = std::uint32_t{24} << 20;

enum class Answer : std::uint8_t
{
    Catalogue = 'C',
    Table = 'T',
    Failure = 'E',
};

enum class ObjectKind : std::uint8_t
{
    UserTable = 1,
    SystemTable = 2,
};

enum RowMarker : std::uint8_t
{
    kRowsEnd = 0,
    kRowFollows = 1,
    kRowsFailed = 2, // a description of why the rest cannot be read follows
};

// Column types as Jet numbers them on disk. The payload of a value:
enum class AccessType : std::uint8_t
{
    Boolean = 0x01,       // u8 0 or 1; never NULL
    Byte = 0x02,          // u8
    Integer = 0x03,       // i16
    Long = 0x04,          // i32
    Currency = 0x05,      // i64, ten-thousandths
    Single = 0x06,        // u32, the IEEE bits
    Double = 0x07,        // u64, the IEEE bits
    DateTime = 0x08,      // u64, the IEEE bits of an automation date
    Binary = 0x09,        // text (raw bytes)
    Text = 0x0a,          // text
    OleObject = 0x0b,     // text (raw bytes)
    Memo = 0x0c,          // text
    ReplicationId = 0x0f, // text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    Numeric = 0x10,       // u8 sign (0x80 negative), u32 high, u64 low; scale per column
    Complex = 0x12,       // i32
};

// Exit statuses of the reader.
inline constexpr int kExitAnswered = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitFailed = 2; // a failure answer was written
inline constexpr int kExitOutputFailed = 3;

} // namespace mdbproto
