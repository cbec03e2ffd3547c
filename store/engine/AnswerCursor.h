#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace store {

// Hands on the next bytes of a reader's answer: adds at most `most` bytes to
// `into` and returns true, or returns false when the whole answer has come.
using AnswerSource = std::function<bool(std::string& into, std::size_t most)>;

// Walks a reader's answer (MdbReaderProtocol.h), all of it at hand or pulled
// from a source as it is read; every read checks that the bytes are there.
// From a source it holds what it has not read of one piece and the text being
// read: never the answer. What is wrong raises the reader failure "the
// reader's answer is damaged (...)".
class AnswerCursor
{
public:
    explicit AnswerCursor(std::string_view whole) : data_(whole) {}
    explicit AnswerCursor(AnswerSource source);

    std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
    std::uint64_t U64() { return Little(8); }
    // A u32 byte count and that many bytes.
    std::string Text();
    // Four bytes that must be these; `what` says what is wrong otherwise.
    void Expect(const char (&bytes)[4], const char* what);
    // Nothing must follow.
    void ExpectEnd();

private:
    // True when `bytes` unread bytes are at hand, pulled if need be.
    bool Have(std::size_t bytes);
    std::size_t Left() const { return data_.size() - position_; }
    std::uint64_t Little(std::size_t bytes);

    std::string_view data_; // the whole answer, or the buffer
    std::size_t position_ = 0;
    AnswerSource source_;
    std::string buffer_;
};

// Raises the reader failure of a damaged answer, saying what is wrong.
[[noreturn]] void RaiseDamagedAnswer(const std::string& what);

} // namespace store
