#include "tests/store/jetgen/Jet4Page.h"

#include "tests/store/jetgen/Jet4Encoding.h"

#include <stdexcept>

namespace jetgen {

namespace {
constexpr std::size_t kRowCountAt = 12; // the row offsets follow the count
constexpr int kMaxRows = 255;           // a row pointer gives the row one byte
constexpr std::uint32_t kOffsetMask = 0x1FFF;
} // namespace

RowPage::RowPage(std::uint32_t owner) : bytes_(kPageSize, '\0')
{
    bytes_[0] = 0x01;
    bytes_[1] = 0x01;
    SetLe(bytes_, 4, owner, 4);
    SetLe(bytes_, 2, Free(), 2);
}

int RowPage::Rows() const
{
    return static_cast<int>(GetLe(bytes_, kRowCountAt, 2));
}

std::size_t RowPage::Free() const
{
    const int rows = Rows();
    const std::size_t lastStart =
        rows == 0
            ? kPageSize
            : GetLe(bytes_, kRowCountAt + 2 * static_cast<std::size_t>(rows), 2) & kOffsetMask;
    return lastStart - (kRowCountAt + 2 + 2 * static_cast<std::size_t>(rows));
}

bool RowPage::Fits(std::size_t rowBytes) const
{
    return Rows() < kMaxRows && rowBytes + 2 <= Free();
}

std::uint8_t RowPage::Add(std::string_view row, std::uint16_t flags)
{
    if (!Fits(row.size()))
        throw std::logic_error("a row does not fit on its page");
    const int rows = Rows();
    const std::size_t start =
        kRowCountAt + 2 + 2 * static_cast<std::size_t>(rows) + Free() - row.size();
    bytes_.replace(start, row.size(), row);
    SetLe(bytes_, kRowCountAt + 2 + 2 * static_cast<std::size_t>(rows), start | flags, 2);
    SetLe(bytes_, kRowCountAt, static_cast<std::uint32_t>(rows + 1), 2);
    SetLe(bytes_, 2, Free(), 2);
    return static_cast<std::uint8_t>(rows);
}

} // namespace jetgen
