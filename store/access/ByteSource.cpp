#include "store/access/ByteSource.h"

#include "platform/Utf8Path.h"
#include "store/access/Unreadable.h"

#include <climits>
#include <cstring>
#include <utility>

namespace jet {

void MemorySource::Read(std::uint64_t offset, std::size_t size, unsigned char* into)
{
    if (offset > bytes_.size() || size > bytes_.size() - offset)
        Refuse("a read goes past the end of the file");
    std::memcpy(into, bytes_.data() + offset, size);
}

FileSource FileSource::Open(const std::string& path)
{
    std::FILE* file = platform::OpenFile(path, "rb");
    if (!file)
        Refuse("it cannot be opened for reading");
    return FileSource(file);
}

FileSource::FileSource(std::FILE* file) : file_(file)
{
    // std::fseek counts in long: files past its range are refused (Jet files
    // stop at 2 GiB).
    const long end = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1L;
    if (end < 0) {
        std::fclose(file_);
        file_ = nullptr;
        Refuse("its size cannot be found");
    }
    size_ = static_cast<std::uint64_t>(end);
}

FileSource::FileSource(FileSource&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), size_(other.size_)
{
}

FileSource::~FileSource()
{
    if (file_)
        std::fclose(file_);
}

void FileSource::Read(std::uint64_t offset, std::size_t size, unsigned char* into)
{
    if (offset > size_ || size > size_ - offset || offset > static_cast<std::uint64_t>(LONG_MAX))
        Refuse("a read goes past the end of the file");
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(into, 1, size, file_) != size)
        Refuse("the file cannot be read (it may have changed while it was read)");
}

} // namespace jet
