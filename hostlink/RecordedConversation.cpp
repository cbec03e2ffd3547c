#include "hostlink/RecordedConversation.h"

#include "hostlink/ConversationRecord.h"

namespace hostlink {

namespace {

template <typename Result, typename Converse, typename Ended>
Recorded<Result> RunRecorded(HostLoadRecorder* recorder, const store::HostLoadRecord& begun,
                             Converse converse, Ended ended)
{
    Recorded<Result> recorded;
    if (recorder)
        recorded.warning = recorder->Record(begun);
    recorded.result = converse();
    if (!recorder)
        return recorded;
    store::HostLoadRecord end = ended(recorded.result);
    end.Conversation = begun.Conversation;
    std::optional<show::Failure> warning = recorder->Record(end);
    if (!recorded.warning)
        recorded.warning = std::move(warning);
    return recorded;
}

} // namespace

Recorded<DownloadResult> SendShowRecorded(const DownloadRequest& request,
                                          HostLoadRecorder* recorder)
{
    const int frames = static_cast<int>(request.cues.size()) + 1; // the project name first
    return RunRecorded<DownloadResult>(
        recorder, BegunRecord(request.host, store::kSentShow, {}, frames),
        [&] { return SendShow(request); },
        [&](const DownloadResult& result) { return ShowRecord(request.host, result); });
}

Recorded<ConversationResult> SendHostNameRecorded(const HostNameRequest& request,
                                                  const std::string& name,
                                                  HostLoadRecorder* recorder)
{
    return RunRecorded<ConversationResult>(
        recorder, BegunRecord(request.host, store::kSentHostName, name, 1),
        [&] { return SendHostName(request); },
        [&](const ConversationResult& result) { return NameRecord(request.host, name, result); });
}

} // namespace hostlink
