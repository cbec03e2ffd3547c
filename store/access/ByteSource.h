#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace jet {

// Where the bytes of an Access file come from: a file, or memory (tests and
// the fuzzer). The reader asks for whole pages only, each checked against
// Size() first.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads `size` bytes at `offset` into `into`; raises Unreadable when the
    // bytes cannot be read.
    virtual void Read(std::uint64_t offset, std::size_t size, unsigned char* into) = 0;
};

class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    void Read(std::uint64_t offset, std::size_t size, unsigned char* into) override;

private:
    std::string_view bytes_;
};

// Reads an open file, which it owns and closes.
class FileSource final : public ByteSource
{
public:
    // Opens `path` for reading; raises Unreadable when it cannot.
    static FileSource Open(const std::string& path);
    explicit FileSource(std::FILE* file);
    FileSource(FileSource&& other) noexcept;
    FileSource& operator=(FileSource&&) = delete;
    ~FileSource() override;

    std::uint64_t Size() const override { return size_; }
    void Read(std::uint64_t offset, std::size_t size, unsigned char* into) override;

private:
    std::FILE* file_;
    std::uint64_t size_ = 0;
};

} // namespace jet
