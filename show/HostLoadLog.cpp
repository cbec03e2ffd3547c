#include "show/HostLoadLog.h"

#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/StoreCloser.h"

#include <chrono>
#include <cstdio>
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
    // The calendar of the standard library: the same on every system.
    using namespace std::chrono;
    const auto day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(floor<seconds>(time - day));
    char text[64] = {};
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

} // namespace show
