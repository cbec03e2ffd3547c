#include "store/engine/MdbReaderLocation.h"

#include <filesystem>
#include <unistd.h>

namespace store {

std::vector<std::string> MdbReaderCandidates()
{
    std::vector<std::string> candidates;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        candidates.push_back((self.parent_path() / kMdbReaderProgram).string());
#ifdef TAVRIN_MDB_READER_DIR
    candidates.push_back(
        (std::filesystem::path(TAVRIN_MDB_READER_DIR) / kMdbReaderProgram).string());
#endif
    return candidates;
}

std::string LocateMdbReader()
{
    for (const std::string& candidate : MdbReaderCandidates())
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    return {};
}

} // namespace store
