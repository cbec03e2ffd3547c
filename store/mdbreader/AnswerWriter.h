#pragma once

#include "store/engine/MdbReaderProtocol.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mdbreader {

// The answer's receiver could not take it (the reading side went away).
struct OutputFailed : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Writes one answer of the reader's protocol to a byte sink. Everything
// before the first row is held back, so that a failure found while reading
// the catalogue or the columns still turns the whole answer into a failure;
// rows are passed on in large pieces as they come.
class AnswerWriter
{
public:
    // Takes each piece of the answer; raises OutputFailed when it cannot.
    using Sink = std::function<void(std::string_view piece)>;

    explicit AnswerWriter(Sink sink) : sink_(std::move(sink)) {}
    // Writes to an open stream (standard output, in binary mode).
    explicit AnswerWriter(std::FILE* stream);

    void Begin(mdbproto::Answer kind);
    // Starts one row; its values follow.
    void BeginRow();
    void U8(std::uint8_t value) { buffer_.push_back(static_cast<char>(value)); }
    void U16(std::uint16_t value) { Little(value, 2); }
    void U32(std::uint32_t value) { Little(value, 4); }
    void U64(std::uint64_t value) { Little(value, 8); }
    void Text(std::string_view text);
    // A replication id's 16 stored bytes, as the text "{XXXXXXXX-XXXX-...}".
    void Guid(const unsigned char* stored);
    // The tables' names and kinds: the whole of a catalogue answer.
    using Tables = std::vector<std::pair<std::string, mdbproto::ObjectKind>>;
    void Catalogue(const Tables& tables);
    // Ends one row: passes large pieces on.
    void EndRow();
    // Ends the answer with its trailer and sends what is left.
    void Finish();
    // Ends whatever was begun with a failure that carries the description.
    void Fail(std::string_view description);

private:
    void Little(std::uint64_t value, int bytes);
    void Send();

    Sink sink_;
    std::string buffer_;
    std::size_t rowStart_ = 0; // where the row being written begins
    bool sentAny_ = false;
};

} // namespace mdbreader
