#include "store/engine/MdbReaderLocation.h"

#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"

namespace store {

namespace {
std::string ReaderIn(const std::string& folder)
{
    return platform::Utf8FromPath((platform::PathFromUtf8(folder) /
                                   (std::string(kMdbReaderProgram) + platform::kExecutableSuffix))
                                      .make_preferred());
}
} // namespace

std::vector<std::string> MdbReaderCandidates()
{
    std::vector<std::string> candidates;
    const std::string self = platform::ExecutableFolder();
    if (!self.empty())
        candidates.push_back(ReaderIn(self));
#ifdef TAVRIN_MDB_READER_DIR
    candidates.push_back(ReaderIn(TAVRIN_MDB_READER_DIR));
#endif
    return candidates;
}

std::string LocateMdbReader()
{
    for (const std::string& candidate : MdbReaderCandidates())
        if (!platform::WhyNotRunnable(candidate))
            return candidate;
    return {};
}

} // namespace store
