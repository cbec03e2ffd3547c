#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A folder of its own for one test, removed afterwards.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A new empty SQLite file in a folder of its own, removed afterwards.
class EmptySqliteFile
{
public:
    explicit EmptySqliteFile(const std::string& name);
    const std::string& path() const { return path_; }

private:
    TempDir dir_;
    std::string path_;
};

// Makes an empty SQLite database file (the layer itself never creates one).
void MakeEmptySqliteFile(const std::string& path);
// Runs SQL on a SQLite file directly, outside the layer under test.
void RunSql(const std::string& path, const std::string& sql);
// A new SQLite file at `path` holding what `sql` makes; returns `path`.
std::string MakeSqliteFile(const std::string& path, const std::string& sql);

} // namespace testsupport
