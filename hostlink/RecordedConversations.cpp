#include "hostlink/RecordedConversations.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/ReadDownloadCues.h"
#include "show/HostPlan.h"
#include "show/HostStates.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

namespace hostlink {

HostRecorder::HostRecorder(std::string storePath) : storePath_(std::move(storePath)) {}

std::optional<show::Warning> HostRecorder::Record(const store::HostRecord& record)
{
    const std::lock_guard lock(mutex_);
    if (accessStore_)
        return std::nullopt;
    std::optional<show::Warning> warning;
    try {
        show::WriteHostRecord(storePath_, record);
        return std::nullopt;
    } catch (const show::Failure& failure) { // the conversation's result carries it
        warning.emplace(failure);
    }
    const show::Failure& facts = warning->Facts();
    accessStore_ = facts.Code() == show::FailureCode::kHostRecordsAccessStore;
    const bool said =
        std::any_of(warnings_.begin(), warnings_.end(), [&facts](const show::Warning& w) {
            return w.Facts().Code() == facts.Code() && w.Facts().Detail() == facts.Detail();
        });
    if (said)
        return std::nullopt;
    warnings_.push_back(*warning);
    return warning;
}

std::vector<show::Warning> HostRecorder::Warnings() const
{
    const std::lock_guard lock(mutex_);
    return warnings_;
}

namespace {

// Where the conversation went, when, and how it ended after `acknowledged`
// of `frames` frames.
store::HostRecord Record(const HostConversation& host, const ConversationResult& result, int frames,
                         int acknowledged)
{
    store::HostRecord record;
    record.HostCode = host.hostCode;
    record.Address = HostAddressText(host.link, host.hostCode);
    record.Port = host.link.port;
    record.AtField = AtFieldAddress(host.link, host.hostCode);
    record.Frames = frames;
    record.Acknowledged = acknowledged;
    record.LoadedAt = show::UtcTimestamp(std::chrono::system_clock::now());
    switch (result.status) {
    case ConversationResult::kCompleted:
        record.Outcome = store::kOutcomeCompleted;
        return record;
    case ConversationResult::kCancelled:
        record.Outcome = store::kOutcomeCancelled;
        break;
    case ConversationResult::kFailed:
        record.Outcome = store::kOutcomeFailed;
        break;
    }
    if (result.failure)
        record.Failure = show::FailureCodeName(result.failure->Code());
    // The frame it ended at: the one after the last acknowledged. Not known
    // when the host answered more often than it was sent frames: any of its
    // answers may have been another frame's.
    record.FailedAtFrame = result.failure && AnsweredTooOften(result.failure->Code())
                               ? 0
                               : std::min(acknowledged + 1, frames);
    return record;
}

// 128 random bits in hex: two programs talking to one host at once never
// share a key.
std::string NewConversationKey()
{
    std::random_device random;
    std::string key;
    for (int part = 0; part < 4; ++part) {
        char text[9] = {};
        std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(random()));
        key += text;
    }
    return key;
}

} // namespace

store::HostRecord BegunRecord(const HostConversation& host, const std::string& sent,
                              const std::string& name, int frames)
{
    store::HostRecord record = Record(host, {}, frames, 0);
    record.Outcome = store::kOutcomeBegun;
    record.FailedAtFrame = frames == 1 ? 1 : 0;
    record.Sent = sent;
    record.HostName = name;
    record.Conversation = NewConversationKey();
    return record;
}

bool AnsweredTooOften(show::FailureCode code)
{
    return code == show::FailureCode::kDownloadAnsweredTwice ||
           code == show::FailureCode::kHostSettingAnsweredTwice;
}

bool AtFieldAddress(const HostLinkOptions& link, int hostCode)
{
    return !link.rehearsal && link.port == kHostPort &&
           HostAddressText(link, hostCode) == HostAddressText(HostLinkOptions{}, hostCode);
}

store::HostRecord NameRecord(const HostConversation& host, const std::string& name,
                             const ConversationResult& result)
{
    store::HostRecord record = Record(host, result, 1, result.Completed() ? 1 : 0);
    record.Sent = store::kSentHostName;
    record.HostName = name;
    return record;
}

store::HostRecord ShowRecord(const HostConversation& host, const DownloadResult& result)
{
    store::HostRecord record = Record(host, result, static_cast<int>(result.frames),
                                      static_cast<int>(result.framesAcknowledged));
    record.Sent = store::kSentShow;
    record.Digest = result.digest;
    return record;
}

ConversationRecord::ConversationRecord(HostRecorder* recorder, store::HostRecord begun)
    : recorder_(recorder), key_(begun.Conversation)
{
    if (recorder_)
        warning_ = recorder_->Record(begun);
}

void ConversationRecord::End(store::HostRecord ended)
{
    if (!recorder_)
        return;
    ended.Conversation = key_;
    std::optional<show::Warning> warning = recorder_->Record(ended);
    if (!warning_)
        warning_ = std::move(warning);
}

Recorded<DownloadResult> SendShowRecorded(const DownloadRequest& request, HostRecorder* recorder)
{
    const int frames = static_cast<int>(request.cues.size()) + 1; // the project name first
    ConversationRecord record(recorder, BegunRecord(request.host, store::kSentShow, {}, frames));
    Recorded<DownloadResult> recorded{SendShow(request), std::nullopt};
    record.End(ShowRecord(request.host, recorded.result));
    recorded.warning = record.Warning();
    return recorded;
}

Recorded<ConversationResult> SendHostNameRecorded(const HostNameRequest& request,
                                                  const std::string& name, HostRecorder* recorder)
{
    ConversationRecord record(recorder, BegunRecord(request.host, store::kSentHostName, name, 1));
    Recorded<ConversationResult> recorded{SendHostName(request), std::nullopt};
    record.End(NameRecord(request.host, name, recorded.result));
    recorded.warning = record.Warning();
    return recorded;
}

std::vector<show::PlannedHostState> HostStatesOf(std::span<const show::Cue> cues,
                                                 const std::vector<show::HostPlanEntry>& plan,
                                                 const std::vector<store::HostRecord>& records)
{
    return show::WorkOutHostStates(plan, records, ShowDigest(cues));
}

std::vector<show::PlannedHostState> ReadHostStates(const std::string& path)
{
    const std::vector<show::HostPlanEntry> plan = show::ReadHostPlanChecked(path);
    if (plan.empty())
        return {};
    const std::vector<store::HostRecord> records = show::ReadHostRecords(path);
    if (records.empty()) // every host never: the show need not be read
        return show::WorkOutHostStates(plan, records, std::nullopt);
    return show::WorkOutHostStates(plan, records, ReadDownloadDigest(path));
}

std::vector<FieldHost> StaleHosts(const std::vector<FieldHost>& hosts,
                                  const std::vector<show::PlannedHostState>& states)
{
    std::vector<FieldHost> stale;
    for (const FieldHost& host : hosts) {
        const bool current =
            std::any_of(states.begin(), states.end(), [&host](const show::PlannedHostState& s) {
                return s.hostName == host.hostName && s.hostCode == host.hostCode &&
                       s.state == show::HostState::kCurrent;
            });
        if (!current)
            stale.push_back(host);
    }
    return stale;
}

} // namespace hostlink
