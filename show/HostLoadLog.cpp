#include "show/HostLoadLog.h"

#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/StoreCloser.h"

#include <ctime>
#include <exception>

namespace show {

std::optional<Failure> RecordHostLoad(const std::string& path, const HostLoadRecord& record)
{
    CADODataBase db;
    try {
        OpenStoreFile(db, path, FailureCode::kHostLoadNotWritten);
        const store::StoreCloser closer(db);
        if (db.GetConnection()->IsReadOnlyFormat())
            return Failure(FailureCode::kHostLoadsAccessStore);
        store::WriteHostLoad(db, record);
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::exception& error) { // the engine's own failures, memory
        return DatabaseFailure(error, FailureCode::kHostLoadNotWritten);
    }
    return std::nullopt;
}

std::vector<HostLoadRecord> LoadHostLoads(const std::string& path)
{
    CADODataBase db;
    return StoreWork(
        [&] {
            OpenStoreFile(db, path);
            const store::StoreCloser closer(db);
            return store::ReadHostLoads(db);
        },
        FailureCode::kHostLoadsNotRead);
}

std::string UtcTimestamp(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    char text[sizeof "2026-05-04T18:30:05Z"] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

} // namespace show
