#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The small Access files the tests read (Apache-2.0, see fixtures/access).
namespace accessfixtures {

inline std::string Path(const std::string& name)
{
    return (std::filesystem::path(TAVRIN_TEST_DATA_DIR) / "fixtures" / "access" / name).string();
}

inline std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace accessfixtures
