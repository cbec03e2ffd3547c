#include "store/engine/AnswerCursor.h"

#include "store/engine/MdbReaderProcess.h"
#include "store/engine/MdbReaderProtocol.h"

#include <algorithm>
#include <cstring>

namespace store {

namespace {
constexpr std::size_t kPieceBytes = std::size_t{64} << 10; // pulled at a time
}

void RaiseDamagedAnswer(const std::string& what)
{
    RaiseReaderFailure("the reader's answer is damaged (" + what + ")");
}

AnswerCursor::AnswerCursor(AnswerSource source) : source_(std::move(source))
{
    buffer_.reserve(2 * kPieceBytes);
}

bool AnswerCursor::Have(std::size_t bytes)
{
    if (Left() >= bytes)
        return true;
    if (!source_)
        return false;
    buffer_.erase(0, position_);
    position_ = 0;
    bool more = true;
    while (more && buffer_.size() < bytes)
        more = source_(buffer_, kPieceBytes);
    data_ = buffer_;
    return buffer_.size() >= bytes;
}

std::uint64_t AnswerCursor::Little(std::size_t bytes)
{
    if (!Have(bytes))
        RaiseDamagedAnswer("it ends too early");
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= std::uint64_t{static_cast<unsigned char>(data_[position_ + i])} << (8 * i);
    position_ += bytes;
    return value;
}

std::string AnswerCursor::Text()
{
    const std::uint32_t size = U32();
    if (!source_ && size > Left())
        RaiseDamagedAnswer("a text runs past its end");
    // A count no reader writes must not cost memory before the bytes come.
    if (size > mdbproto::kMaxTextBytes)
        RaiseDamagedAnswer("a text of " + std::to_string(size) + " bytes, more than the " +
                           std::to_string(mdbproto::kMaxTextBytes) + " of the longest value");
    std::string text;
    text.reserve(size);
    const std::size_t here = std::min<std::size_t>(size, Left());
    text.assign(data_.substr(position_, here));
    position_ += here;
    // The rest straight into the text, not through the buffer.
    while (text.size() < size)
        if (!source_ || !source_(text, size - text.size()))
            RaiseDamagedAnswer("it ends too early");
    return text;
}

void AnswerCursor::Expect(const char (&bytes)[4], const char* what)
{
    if (!Have(4) || std::memcmp(data_.data() + position_, bytes, 4) != 0)
        RaiseDamagedAnswer(what);
    position_ += 4;
}

void AnswerCursor::ExpectEnd()
{
    if (Have(1))
        RaiseDamagedAnswer("bytes follow its end");
}

} // namespace store
