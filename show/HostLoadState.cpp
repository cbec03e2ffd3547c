#include "show/HostLoadState.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/EnumNames.h"

namespace show {

namespace {

using store::HostLoadRecord;

HostStatus StatusOf(const store::HostPlanEntry& entry,
                    const std::vector<const HostLoadRecord*>& records,
                    const std::optional<std::string>& showDigest)
{
    HostStatus status;
    status.hostName = entry.HostName;
    status.hostCode = entry.HostCode;
    if (records.empty())
        return status;
    const HostLoadRecord& last = *records.back();
    status.loadedAt = last.LoadedAt;
    status.frames = last.Frames;
    if (!last.Completed()) {
        status.state = HostState::kFailed;
        status.failedAtFrame = last.FailedAtFrame;
        status.stopped = !last.Ended();
        return status;
    }
    const HostLoadRecord* name = nullptr;
    const HostLoadRecord* shown = nullptr;
    for (const HostLoadRecord* record : records)
        (record->Sent == store::kSentHostName ? name : shown) = record;
    const bool named = name && name->Completed() && name->HostName == entry.HostName;
    const bool loaded = shown && shown->Completed() && showDigest && shown->Digest == *showDigest;
    status.state = named && loaded ? HostState::kCurrent : HostState::kChanged;
    return status;
}

} // namespace

std::vector<HostStatus> WorkOutHostStates(const std::vector<store::HostPlanEntry>& plan,
                                          const std::vector<store::HostLoadRecord>& records,
                                          const std::optional<std::string>& showDigest)
{
    std::vector<HostStatus> states;
    states.reserve(plan.size());
    for (const store::HostPlanEntry& entry : plan) {
        std::vector<const HostLoadRecord*> own;
        for (const HostLoadRecord& record : records)
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

std::string HostStateText(const HostStatus& status)
{
    if (status.state == HostState::kFailed && status.stopped)
        return status.failedAtFrame > 0 ? strings::FormatText(strings::kHostStateStoppedAt,
                                                              status.failedAtFrame, status.frames)
                                        : std::string(strings::kHostStateStopped);
    if (status.state == HostState::kFailed)
        return strings::FormatText(strings::kHostStateFailedAt, status.failedAtFrame,
                                   status.frames);
    return HostStateName(status.state);
}

} // namespace show
