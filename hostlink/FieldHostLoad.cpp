#include "hostlink/FieldHostLoad.h"

#include "hostlink/RecordedConversation.h"

namespace hostlink {

namespace {

// The state a host's conversation left it in.
void TakeResult(FieldHostState& state, const ConversationResult& result)
{
    state.failure = result.failure;
    state.phase = result.status == ConversationResult::kCompleted   ? FieldHostState::kDone
                  : result.status == ConversationResult::kCancelled ? FieldHostState::kCancelled
                                                                    : FieldHostState::kFailed;
}

} // namespace

FieldHostState LoadOneFieldHost(const FieldLoadRequest& field, const FieldHost& host,
                                const std::function<void(const FieldHostState&)>& report)
{
    FieldHostState state;
    const auto end = [&]() {
        // A stop asked for ends every host as cancelled, wherever it stood.
        if (field.stop.stop_requested()) {
            state.phase = FieldHostState::kCancelled;
            state.failure.reset();
        }
        report(state);
        return state;
    };
    if (field.stop.stop_requested())
        return end();

    state.phase = FieldHostState::kNaming;
    report(state);
    const HostConversation conversation{host.hostCode, host.link, field.stop, field.makeLink};
    const HostNameChoice name = ChooseHostName({{host.hostName, true}});
    if (name.failure) {
        state.phase = FieldHostState::kFailed;
        state.failure = name.failure;
        return end();
    }
    const ConversationResult named =
        SendHostNameRecorded({conversation, name.frame}, name.name, field.recorder).result;
    TakeResult(state, named);
    if (state.phase != FieldHostState::kDone)
        return end();

    state.phase = FieldHostState::kDownloading;
    report(state);
    const DownloadRequest download{conversation, field.cues, [&](int percent) {
                                       if (percent == state.percent)
                                           return;
                                       state.percent = percent;
                                       report(state);
                                   }};
    const DownloadResult loaded = SendShowRecorded(download, field.recorder).result;
    TakeResult(state, loaded);
    return end();
}

} // namespace hostlink
