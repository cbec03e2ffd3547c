#include "show/HostStates.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/EnumNames.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/StoreCloser.h"

#include <chrono>
#include <cstdio>

namespace show {

void WriteHostRecord(const std::string& path, const HostRecord& record)
{
    CADODataBase db;
    StoreWork(
        [&] {
            OpenStoreFile(db, path, FailureCode::kHostRecordNotWritten);
            const store::StoreCloser closer(db);
            if (db.GetConnection()->IsReadOnlyFormat())
                throw Failure(FailureCode::kHostRecordsAccessStore);
            store::WriteHostRecord(db, record);
        },
        FailureCode::kHostRecordNotWritten);
}

std::vector<HostRecord> ReadHostRecords(const std::string& path)
{
    CADODataBase db;
    return StoreWork(
        [&] {
            OpenStoreFile(db, path);
            const store::StoreCloser closer(db);
            return store::ReadHostRecords(db);
        },
        FailureCode::kHostRecordsNotRead);
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

namespace {

using store::HostRecord;

bool AnsweredTooOften(const HostRecord& record)
{
    return record.Failure == FailureCodeName(FailureCode::kDownloadAnsweredTwice) ||
           record.Failure == FailureCodeName(FailureCode::kHostSettingAnsweredTwice);
}

PlannedHostState StatusOf(const store::HostPlanEntry& entry,
                          const std::vector<const HostRecord*>& records,
                          const std::optional<std::string>& showDigest)
{
    PlannedHostState status;
    status.hostName = entry.HostName;
    status.hostCode = entry.HostCode;
    if (records.empty())
        return status;
    const HostRecord& last = *records.back();
    status.loadedAt = last.LoadedAt;
    status.frames = last.Frames;
    const auto failed = [&status](const HostRecord& record) {
        status.state = HostState::kFailed;
        status.frames = record.Frames;
        status.failedAtFrame = record.FailedAtFrame;
        status.stopped = !record.Ended();
        status.ambiguous = AnsweredTooOften(record);
        return status;
    };
    if (!last.Completed())
        return failed(last);
    const HostRecord* name = nullptr;
    const HostRecord* shown = nullptr;
    for (const HostRecord* record : records)
        (record->Sent == store::kSentHostName ? name : shown) = record;
    // A host that answered too often is not to be trusted until it is loaded
    // again, whatever conversation came after (a field load ends its name's
    // conversation after its show's).
    for (const HostRecord* latest : {name, shown})
        if (latest && AnsweredTooOften(*latest))
            return failed(*latest);
    const bool named = name && name->Completed() && name->HostName == entry.HostName;
    const bool loaded = shown && shown->Completed() && showDigest && shown->Digest == *showDigest;
    status.state = named && loaded ? HostState::kCurrent : HostState::kChanged;
    return status;
}

} // namespace

std::vector<PlannedHostState> WorkOutHostStates(const std::vector<store::HostPlanEntry>& plan,
                                                const std::vector<store::HostRecord>& records,
                                                const std::optional<std::string>& showDigest)
{
    std::vector<PlannedHostState> states;
    states.reserve(plan.size());
    for (const store::HostPlanEntry& entry : plan) {
        std::vector<const HostRecord*> own;
        for (const HostRecord& record : records)
            if (record.AtField && record.HostCode == entry.HostCode)
                own.push_back(&record);
        states.push_back(StatusOf(entry, own, showDigest));
    }
    return states;
}

const char* HostStateName(HostState state)
{
    static constexpr EnumName<HostState> kNames[] = {
        {HostState::kCurrent, strings::kHostStateCurrent},
        {HostState::kChanged, strings::kHostStateChanged},
        {HostState::kNever, strings::kHostStateNever},
        {HostState::kFailed, strings::kHostStateFailed},
    };
    return NameIn(kNames, state, "");
}

std::string HostStateText(const PlannedHostState& status)
{
    if (status.state == HostState::kFailed && status.stopped)
        return status.failedAtFrame > 0 ? strings::FormatText(strings::kHostStateStoppedAt,
                                                              status.failedAtFrame, status.frames)
                                        : std::string(strings::kHostStateStopped);
    if (status.state == HostState::kFailed && status.ambiguous)
        return strings::kHostStateAmbiguous;
    if (status.state == HostState::kFailed)
        return strings::FormatText(strings::kHostStateFailedAt, status.failedAtFrame,
                                   status.frames);
    return HostStateName(status.state);
}

} // namespace show
