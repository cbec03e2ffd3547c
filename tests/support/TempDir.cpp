#include "tests/support/TempDir.h"

#include "store/engine/SqliteDatabase.h"

#include <random>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir()
{
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("tavrin-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

EmptySqliteFile::EmptySqliteFile(const std::string& name) : path_(dir_.File(name))
{
    MakeEmptySqliteFile(path_);
}

void MakeEmptySqliteFile(const std::string& path)
{
    auto db = store::SqliteDatabase::CreateNew(path);
    db->Execute("PRAGMA user_version = 1"); // writes the header: a real SQLite file
}

void RunSql(const std::string& path, const std::string& sql)
{
    auto db = store::SqliteDatabase::OpenExisting(path);
    db->Execute(sql);
}

std::string MakeSqliteFile(const std::string& path, const std::string& sql)
{
    MakeEmptySqliteFile(path);
    RunSql(path, sql);
    return path;
}

} // namespace testsupport
