#include "hostlink/SendHostName.h"

#include "hostlink/Frames.h"
#include "hostlink/LateAnswers.h"
#include "platform/Gbk.h"
#include "show/HostNameRules.h"

#include <algorithm>

namespace hostlink {

using show::FailureCode;

HostNameChoice ChooseHostName(const std::vector<HostListItem>& hosts)
{
    HostNameChoice choice;
    const auto ticked =
        std::find_if(hosts.begin(), hosts.end(), [](const HostListItem& h) { return h.ticked; });
    if (ticked == hosts.end())
        throw show::Failure(FailureCode::kHostSettingNoneTicked);
    choice.name = show::TrimHostName(ticked->name);
    // A name GBK cannot encode has no byte length here: the frame builder
    // refuses it.
    const std::optional<std::string> gbk = platform::Utf8ToGbk(choice.name);
    if (choice.name.empty() || (gbk && gbk->size() > show::kHostNameMaxBytes))
        throw show::Failure(FailureCode::kHostSettingBadName);
    if (!BuildHostNameFrame(choice.name, choice.frame))
        throw show::Failure(FailureCode::kHostSettingFrameNotBuilt);
    return choice;
}

namespace {

// The frame and its answer on `link`, which is left open only when the host
// accepted.
ConversationResult SendFrameOn(HostLink& link, const HostNameRequest& request)
{
    switch (link.Open(request.host.hostCode)) {
    case HostLink::OpenStatus::kOpened:
        break;
    case HostLink::OpenStatus::kNoSocket:
    case HostLink::OpenStatus::kSendTimeoutFailed:
        return Failed(FailureCode::kHostSettingSendTimeoutNotSet);
    case HostLink::OpenStatus::kReceiveTimeoutFailed:
        return Failed(FailureCode::kHostSettingReceiveTimeoutNotSet);
    }
    link.ClearReply();
    const HostLink::Reply reply = link.Send(request.frame.bytes)
                                      ? link.AwaitAcknowledgement(request.host.stop)
                                      : HostLink::Reply::kNoReply;
    if (reply == HostLink::Reply::kCancelled)
        return {ConversationResult::kCancelled, std::nullopt};
    if (reply != HostLink::Reply::kAccepted)
        return Failed(FailureCode::kHostSettingFailed);
    return {};
}

} // namespace

SentFrames<ConversationResult> SendHostNameFrame(const HostNameRequest& request)
{
    SentFrames<ConversationResult> sent{.result = {},
                                        .link = request.host.makeLink(request.host.link)};
    sent.result = SendFrameOn(*sent.link, request);
    if (!sent.result.Completed())
        sent.link.reset(); // closes it
    return sent;
}

ConversationResult SendHostName(const HostNameRequest& request)
{
    return Concluded(SendHostNameFrame(request), request.host.stop,
                     FailureCode::kHostSettingAnsweredTwice);
}

const show::HostPlanEntry* OtherNamePlanned(const std::vector<show::HostPlanEntry>& plan,
                                            int hostCode, const std::string& name)
{
    const std::string wanted = show::TrimHostName(name);
    const auto other = std::find_if(plan.begin(), plan.end(), [&](const show::HostPlanEntry& e) {
        return e.HostCode == hostCode && show::TrimHostName(e.HostName) != wanted;
    });
    return other == plan.end() ? nullptr : &*other;
}

} // namespace hostlink
