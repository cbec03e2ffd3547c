#include "platform/Utf8Path.h"
#include "store/engine/AccessDatabase.h"
#include "store/engine/DatabaseEngine.h"
#include "store/engine/SqliteDatabase.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace store {

namespace {
constexpr char kSource[] = "Database file";

[[noreturn]] void Refuse(const std::string& description)
{
    throw ado::_com_error(ado::E_FAIL, kSource, description);
}

enum class Format
{
    kSqlite,
    kAccess,
    kOther,
};

// The kind of database a file's first bytes announce.
Format FormatOf(std::ifstream& file)
{
    char header[32] = {};
    file.read(header, sizeof header);
    const auto got = static_cast<std::size_t>(file.gcount());
    if (got >= 16 && std::memcmp(header, "SQLite format 3", 16) == 0)
        return Format::kSqlite;
    if (got >= 19 && (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
                      std::memcmp(header + 4, "Standard ACE DB", 15) == 0))
        return Format::kAccess;
    return Format::kOther;
}
} // namespace

std::unique_ptr<DatabaseEngine> OpenDatabaseFile(const std::string& path)
{
    if (path.empty())
        Refuse("No database file was named: the connection text has no 'Data Source='.");
    std::error_code error;
    const auto kind = std::filesystem::status(platform::PathFromUtf8(path), error).type();
    if (error)
        Refuse("Could not find file '" + path + "' (" + error.message() + ").");
    if (kind != std::filesystem::file_type::regular)
        Refuse("'" + path + "' is not a database file.");

    std::ifstream file(platform::PathFromUtf8(path), std::ios::binary);
    if (!file)
        Refuse("The file '" + path + "' cannot be read (" + std::strerror(errno) + ").");
    switch (FormatOf(file)) {
    case Format::kSqlite:
        return SqliteDatabase::OpenExisting(path);
    case Format::kAccess:
        return AccessDatabase::Open(path);
    case Format::kOther:
        break;
    }
    Refuse("Unrecognized database format '" + path +
           "': the file is neither an SQLite nor an Access database.");
}

bool IsDatabaseFile(const std::string& path)
{
    std::ifstream file(platform::PathFromUtf8(path), std::ios::binary);
    return file && FormatOf(file) != Format::kOther;
}

std::unique_ptr<DatabaseEngine> CreateDatabaseFile(const std::string& path)
{
    if (path.empty())
        Refuse("No database file was named: the connection text has no 'Data Source='.");
    return SqliteDatabase::CreateNew(path);
}

bool IsEmptyStoreLeftover(const std::string& path)
{
    const auto size = [](const std::string& file) -> long long {
        std::error_code error;
        const std::filesystem::path place = platform::PathFromUtf8(file);
        if (!std::filesystem::is_regular_file(place, error))
            return -1;
        const auto bytes = std::filesystem::file_size(place, error);
        return error ? -1 : static_cast<long long>(bytes);
    };
    // Empty, or with a journal that may take it back to empty.
    if (size(path) != 0 && (size(path) < 0 || size(path + "-journal") <= 0))
        return false;
    try {
        SqliteDatabase::OpenExisting(path); // plays back a hot journal, if there is one
    } catch (const ado::_com_error&) {
        return false;
    }
    return size(path) == 0;
}

} // namespace store
