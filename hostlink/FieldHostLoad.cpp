#include "hostlink/FieldHostLoad.h"

#include "hostlink/LateAnswers.h"
#include "hostlink/RecordedConversations.h"

namespace hostlink {

namespace {

// The state a host's conversation left it in.
void TakeResult(FieldHostState& state, const ConversationResult& result)
{
    state.result = result;
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
            state.result = {ConversationResult::kCancelled};
        }
        report(state);
        return state;
    };
    if (field.stop.stop_requested())
        return end();

    state.phase = FieldHostState::kNaming;
    report(state);
    const HostConversation conversation{host.hostCode, host.link, field.stop, field.makeLink};
    HostNameChoice name;
    try {
        name = ChooseHostName({{host.hostName, true}});
    } catch (const show::Failure& failure) {
        TakeResult(state, {ConversationResult::kFailed, failure});
        return end();
    }
    ConversationRecord nameRecord(field.recorder,
                                  BegunRecord(conversation, store::kSentHostName, name.name, 1));
    SentFrames<ConversationResult> named = SendHostNameFrame({conversation, name.frame});
    if (!named.link) { // not accepted: nothing more to hear
        nameRecord.End(NameRecord(conversation, name.name, named.result));
        TakeResult(state, named.result);
        return end();
    }

    // The name's late answers are heard while the show goes, on its own
    // socket, and waited for together with the show's: one end wait a host.
    state.phase = FieldHostState::kDownloading;
    report(state);
    const DownloadRequest download{conversation, field.cues, [&](int percent) {
                                       if (percent == state.percent)
                                           return;
                                       state.percent = percent;
                                       report(state);
                                   }};
    ConversationRecord showRecord(
        field.recorder,
        BegunRecord(conversation, store::kSentShow, {}, static_cast<int>(field.cues.size()) + 1));
    SentFrames<DownloadResult> loaded = SendShowFrames(download);
    const bool heard = loaded.link
                           ? ListenForLateAnswers({named.link.get(), loaded.link.get()}, field.stop)
                           : ListenForLateAnswers({named.link.get()}, field.stop);
    ConcludeWith(named.result, *named.link, heard, show::FailureCode::kHostSettingAnsweredTwice);
    if (loaded.link)
        ConcludeWith(loaded.result, *loaded.link, heard, show::FailureCode::kDownloadAnsweredTwice);
    nameRecord.End(NameRecord(conversation, name.name, named.result));
    showRecord.End(ShowRecord(conversation, loaded.result));
    // The name's failure first: a host that holds a show under an unknown
    // name fires nothing of it.
    TakeResult(state, named.result.Completed() ? loaded.result : named.result);
    return end();
}

} // namespace hostlink
