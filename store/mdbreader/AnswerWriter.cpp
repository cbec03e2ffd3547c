#include "store/mdbreader/AnswerWriter.h"

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
