#include "store/mdbreader/AnswerWriter.h"

#include <cstdio>

namespace mdbreader {

namespace {
constexpr std::size_t kSendThreshold = std::size_t{1} << 20;
}

AnswerWriter::AnswerWriter(std::FILE* stream)
    : sink_([stream](std::string_view piece) {
          if (std::fwrite(piece.data(), 1, piece.size(), stream) != piece.size() ||
              std::fflush(stream) != 0)
              throw OutputFailed("the answer cannot be written");
      })
{
}

void AnswerWriter::Begin(mdbproto::Answer kind)
{
    buffer_.append(mdbproto::kMagic, sizeof mdbproto::kMagic);
    U8(static_cast<std::uint8_t>(kind));
}

void AnswerWriter::Text(std::string_view text)
{
    U32(static_cast<std::uint32_t>(text.size()));
    buffer_.append(text);
}

void AnswerWriter::Guid(const unsigned char* p)
{
    // The first three groups are stored little-endian, the rest as they read.
    char text[40];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", p[3],
                  p[2], p[1], p[0], p[5], p[4], p[7], p[6], p[8], p[9], p[10], p[11], p[12], p[13],
                  p[14], p[15]);
    Text(text);
}

void AnswerWriter::Catalogue(const Tables& tables)
{
    Begin(mdbproto::Answer::Catalogue);
    U32(static_cast<std::uint32_t>(tables.size()));
    for (const auto& [name, kind] : tables) {
        Text(name);
        U8(static_cast<std::uint8_t>(kind));
    }
}

void AnswerWriter::Little(std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        buffer_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AnswerWriter::BeginRow()
{
    rowStart_ = buffer_.size();
    U8(mdbproto::kRowFollows);
}

void AnswerWriter::EndRow()
{
    rowStart_ = buffer_.size();
    if (buffer_.size() >= kSendThreshold) {
        Send();
        rowStart_ = 0;
    }
}

void AnswerWriter::Finish()
{
    buffer_.append(mdbproto::kTrailer, sizeof mdbproto::kTrailer);
    Send();
}

void AnswerWriter::Fail(std::string_view description)
{
    if (!sentAny_) {
        buffer_.clear();
        Begin(mdbproto::Answer::Failure);
        Text(description);
    } else {
        // Rows went out already: the failure ends them, in place of the row
        // that was being written.
        buffer_.resize(rowStart_);
        U8(mdbproto::kRowsFailed);
        Text(description);
    }
    Finish();
}

void AnswerWriter::Send()
{
    if (!buffer_.empty())
        sink_(buffer_);
    sentAny_ = sentAny_ || !buffer_.empty();
    buffer_.clear();
}

} // namespace mdbreader
