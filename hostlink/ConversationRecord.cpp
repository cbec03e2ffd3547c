#include "hostlink/ConversationRecord.h"

#include "show/HostLoadLog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

namespace hostlink {

namespace {

// Where the conversation went, when, and how it ended after `acknowledged`
// of `frames` frames.
store::HostLoadRecord Record(const HostConversation& host, const ConversationResult& result,
                             int frames, int acknowledged)
{
    store::HostLoadRecord record;
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
    // The frame it ended at: the one after the last acknowledged, or the last
    // one when a second answer came after every frame was acknowledged.
    record.FailedAtFrame = std::min(acknowledged + 1, frames);
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

store::HostLoadRecord BegunRecord(const HostConversation& host, const std::string& sent,
                                  const std::string& name, int frames)
{
    store::HostLoadRecord record = Record(host, {}, frames, 0);
    record.Outcome = store::kOutcomeBegun;
    record.FailedAtFrame = frames == 1 ? 1 : 0;
    record.Sent = sent;
    record.HostName = name;
    record.Conversation = NewConversationKey();
    return record;
}

bool AtFieldAddress(const HostLinkOptions& link, int hostCode)
{
    return link.port == kHostPort &&
           HostAddressText(link, hostCode) == HostAddressText(HostLinkOptions{}, hostCode);
}

store::HostLoadRecord NameRecord(const HostConversation& host, const std::string& name,
                                 const ConversationResult& result)
{
    store::HostLoadRecord record = Record(host, result, 1, result.Completed() ? 1 : 0);
    record.Sent = store::kSentHostName;
    record.HostName = name;
    return record;
}

store::HostLoadRecord ShowRecord(const HostConversation& host, const DownloadResult& result)
{
    store::HostLoadRecord record = Record(host, result, static_cast<int>(result.frames),
                                          static_cast<int>(result.framesAcknowledged));
    record.Sent = store::kSentShow;
    record.Digest = result.digest;
    return record;
}

} // namespace hostlink
