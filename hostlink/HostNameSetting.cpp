#include "hostlink/HostNameSetting.h"

#include "hostlink/Frames.h"
#include "platform/Gbk.h"
#include "show/HostNameRules.h"

#include <algorithm>

namespace hostlink {

namespace {

using show::FailureCode;

std::string Trimmed(const std::string& text)
{
    constexpr char kBlanks[] = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

HostNameChoice ChooseHostName(const std::vector<HostListItem>& hosts)
{
    HostNameChoice choice;
    const auto ticked =
        std::find_if(hosts.begin(), hosts.end(), [](const HostListItem& h) { return h.ticked; });
    if (ticked == hosts.end()) {
        choice.failure = show::Failure(FailureCode::kHostSettingNoneTicked);
        return choice;
    }
    choice.name = Trimmed(ticked->name);
    // A name GBK cannot encode has no byte length here: the frame builder
    // refuses it.
    const std::optional<std::string> gbk = platform::Utf8ToGbk(choice.name);
    if (choice.name.empty() || (gbk && gbk->size() > show::kHostNameMaxBytes))
        choice.failure = show::Failure(FailureCode::kHostSettingBadName);
    else if (!BuildHostNameFrame(choice.name, choice.frame))
        choice.failure = show::Failure(FailureCode::kHostSettingFrameNotBuilt);
    return choice;
}

ConversationResult SendHostName(const HostNameRequest& request)
{
    const HostConversation& host = request.host;
    const std::unique_ptr<HostLink> link = host.makeLink(host.link); // closes on every way out
    switch (link->Open(host.hostCode)) {
    case HostLink::OpenStatus::kOpened:
        break;
    case HostLink::OpenStatus::kNoSocket:
    case HostLink::OpenStatus::kSendTimeoutFailed:
        return Failed(FailureCode::kHostSettingSendTimeoutNotSet);
    case HostLink::OpenStatus::kReceiveTimeoutFailed:
        return Failed(FailureCode::kHostSettingReceiveTimeoutNotSet);
    }
    link->ClearReply();
    const HostLink::Reply reply = link->Send(request.frame.bytes)
                                      ? link->AwaitAcknowledgement(host.stop)
                                      : HostLink::Reply::kNoReply;
    if (reply == HostLink::Reply::kCancelled)
        return {ConversationResult::kCancelled, std::nullopt};
    if (reply != HostLink::Reply::kAccepted)
        return Failed(FailureCode::kHostSettingFailed);
    // One frame, one answer: a second one means the host is not to be trusted.
    if (link->AnsweredUnasked(host.link.answerGrace))
        return Failed(FailureCode::kHostSettingAnsweredTwice);
    link->Close();
    return {};
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
