#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/FieldLoad.h"
#include "hostlink/SendHostName.h"
#include "hostlink/SendShow.h"
#include "show/Cue.h"
#include "show/Failure.h"
#include "show/HostPlan.h"
#include "show/HostStates.h"
#include "show/Warning.h"
#include "store/HostRecordTable.h"

#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The records of what each host holds, as the host link keeps them: each
// conversation is recorded in its show store as it begins and as it ends,
// and the states of a plan's hosts are read back from those records.
namespace hostlink {

// Writes the records of one run's conversations into its show store, one at
// a time, from whichever thread a conversation ended on (the hosts of a field
// load end together). A record that cannot be written is a warning, said once
// however many hosts it concerns; once the store turned out to be an Access
// file, nothing more is tried.
class HostRecorder
{
public:
    explicit HostRecorder(std::string storePath);

    // The warning, the first time one of its kind comes up.
    std::optional<show::Warning> Record(const store::HostRecord& record);
    // Every warning so far, in the order they came.
    std::vector<show::Warning> Warnings() const;

private:
    std::string storePath_;
    mutable std::mutex mutex_;
    bool accessStore_ = false;
    std::vector<show::Warning> warnings_;
};

// A conversation's result with the warning its record gave, if any.
template <typename Result> struct Recorded
{
    Result result;
    std::optional<show::Warning> warning;
};

// One conversation's record: written as begun when this is made, before the
// conversation's first frame, and completed in its place by End. A
// conversation never ended leaves its begun record, as a program killed
// mid-way does. Without a recorder nothing is written.
class ConversationRecord
{
public:
    ConversationRecord(HostRecorder* recorder, store::HostRecord begun);
    void End(store::HostRecord ended);
    // The first warning a write of this record gave.
    const std::optional<show::Warning>& Warning() const { return warning_; }

private:
    HostRecorder* recorder_;
    std::string key_;
    std::optional<show::Warning> warning_;
};

// Whether a failure says that the host answered more often than it was sent
// frames, so that nothing it answered can be relied on.
bool AnsweredTooOften(show::FailureCode code);

// Whether a host code's conversations go to its own field address and port
// (192.168.10.N:10061), the only ones that say what the field holds; a
// rehearsal's never do.
bool AtFieldAddress(const HostLinkOptions& link, int hostCode);

// The record of a conversation about to begin, before its first frame:
// `sent` (store::kSentHostName with the `name` it sends, or store::kSentShow)
// in `frames` frames, with a key of its own that its ended record (of the
// functions below) takes over. If it never ends, it stopped at its only
// frame, or somewhere not known.
store::HostRecord BegunRecord(const HostConversation& host, const std::string& sent,
                              const std::string& name, int frames);

// The record of a host-name conversation that sent `name`.
store::HostRecord NameRecord(const HostConversation& host, const std::string& name,
                             const ConversationResult& result);

// The record of a download: the show as far as the host acknowledged it.
store::HostRecord ShowRecord(const HostConversation& host, const DownloadResult& result);

// The conversations with their records in the show store: each is recorded
// as begun, committed, before its first frame goes, and that record is
// completed when it ends. A program killed mid-way thus leaves its host
// failed, never as it was before. Without a recorder nothing is recorded;
// the warning is the first a record gave.
Recorded<DownloadResult> SendShowRecorded(const DownloadRequest& request, HostRecorder* recorder);

// `name` is the host name the request's frame carries.
Recorded<ConversationResult> SendHostNameRecorded(const HostNameRequest& request,
                                                  const std::string& name, HostRecorder* recorder);

// What each host of `plan` holds, from its records and the show `cues` (in
// launch-time order) as a download would send it now.
std::vector<show::PlannedHostState> HostStatesOf(std::span<const show::Cue> cues,
                                                 const std::vector<show::HostPlanEntry>& plan,
                                                 const std::vector<store::HostRecord>& records);

// The same for the show store at `path`; a store without a plan gives none,
// read no further. Raises show::Failure: those of show::ReadHostPlanChecked,
// ReadDownloadCues and show::ReadHostRecords.
std::vector<show::PlannedHostState> ReadHostStates(const std::string& path);

// The hosts of a field that do not hold the show and name as they are now.
std::vector<FieldHost> StaleHosts(const std::vector<FieldHost>& hosts,
                                  const std::vector<show::PlannedHostState>& states);

} // namespace hostlink
