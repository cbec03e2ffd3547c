#pragma once

#include <string>
#include <vector>

namespace prompt {

// The file names a show store goes by, for every chooser that offers one:
// an Access file, an SQLite file, either of them. The content, not the name,
// tells what a file is; these only narrow the chooser's list.
inline const std::vector<std::string>& AccessStorePatterns()
{
    static const std::vector<std::string> patterns{"*.mdb"};
    return patterns;
}

inline const std::vector<std::string>& SqliteStorePatterns()
{
    static const std::vector<std::string> patterns{"*.db", "*.sqlite", "*.sqlite3"};
    return patterns;
}

inline std::vector<std::string> AnyStorePatterns()
{
    std::vector<std::string> patterns = AccessStorePatterns();
    patterns.insert(patterns.end(), SqliteStorePatterns().begin(), SqliteStorePatterns().end());
    return patterns;
}

inline const std::vector<std::string>& AnyFilePatterns()
{
    static const std::vector<std::string> patterns{"*"};
    return patterns;
}

} // namespace prompt
