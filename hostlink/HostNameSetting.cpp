#include "hostlink/HostNameSetting.h"

#include "hostlink/Frames.h"
#include "resources/strings/Strings.h"
#include "show/Gbk.h"
#include "show/HostCode.h"

#include <algorithm>

namespace hostlink {

namespace {

using prompt::MessageIcon;

std::string Trimmed(const std::string& text)
{
    constexpr char kBlanks[] = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::optional<std::string> ChooseHostName(const std::vector<HostListItem>& hosts,
                                          prompt::Prompt& prompt)
{
    const auto ticked =
        std::find_if(hosts.begin(), hosts.end(), [](const HostListItem& h) { return h.ticked; });
    if (ticked == hosts.end()) {
        prompt.ShowMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
        return std::nullopt;
    }
    std::string name = Trimmed(ticked->name);
    // A name GBK cannot encode has no byte length here: the frame builder
    // refuses it with its own message.
    const std::optional<std::string> gbk = show::Utf8ToGbk(name);
    if (name.empty() || (gbk && gbk->size() > show::kHostNameMaxBytes)) {
        prompt.ShowMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
        return std::nullopt;
    }
    return name;
}

HostNameSetting::HostNameSetting(prompt::Prompt& prompt, HostLinkOptions options)
    : prompt_(prompt), options_(std::move(options)), makeLink_(MakeHostLinkSocket)
{
}

bool HostNameSetting::SetHost(const std::vector<HostListItem>& hosts,
                              const std::string& hostCodeText)
{
    const std::optional<std::string> name = ChooseHostName(hosts, prompt_);
    if (!name)
        return false;
    HostNameFrame frame;
    if (const BuildOutcome built = BuildHostNameFrame(*name, frame); !built) {
        prompt_.ShowMessage(built.message, MessageIcon::Stop);
        return false;
    }
    return SendHostName(frame, hostCodeText);
}

bool HostNameSetting::SendHostName(const HostNameFrame& frame, const std::string& hostCodeText)
{
    const show::HostCodeInput hostCode = show::ReadHostCode(hostCodeText);
    if (hostCode.status == show::HostCodeInput::kEmpty) {
        prompt_.ShowMessage(strings::kHostSettingsNoCode, MessageIcon::Warning);
        return false;
    }
    if (hostCode.status == show::HostCodeInput::kOutOfRange) {
        prompt_.ShowMessage(strings::kHostSettingsBadCode, MessageIcon::Warning);
        return false;
    }
    const std::unique_ptr<HostLink> link = makeLink_(options_); // closes on every way out
    switch (link->Open(hostCode.code)) {
    case HostLink::OpenStatus::kOpened:
        break;
    case HostLink::OpenStatus::kNoSocket:
    case HostLink::OpenStatus::kSendTimeoutFailed:
        prompt_.ShowMessage(strings::kHostSettingsSendTimeoutFailed, MessageIcon::Stop);
        return false;
    case HostLink::OpenStatus::kReceiveTimeoutFailed:
        prompt_.ShowMessage(strings::kHostSettingsRecvTimeoutFailed, MessageIcon::Stop);
        return false;
    }
    link->ClearReply();
    const HostLink::Reply reply =
        link->Send(frame.bytes) ? link->AwaitAcknowledgement(cancel_) : HostLink::Reply::kNoReply;
    if (reply == HostLink::Reply::kCancelled)
        return false;
    if (reply != HostLink::Reply::kAccepted) {
        prompt_.ShowMessage(strings::kHostSettingsFailed, MessageIcon::Stop);
        return false;
    }
    // One frame, one answer: a second one means the host is not to be trusted.
    if (link->AnsweredUnasked(options_.answerGrace)) {
        prompt_.ShowMessage(strings::kHostSettingsAnsweredTwice, MessageIcon::Stop);
        return false;
    }
    link->Close();
    prompt_.ShowMessage(strings::kHostSettingsDone, MessageIcon::Information);
    return true;
}

} // namespace hostlink
