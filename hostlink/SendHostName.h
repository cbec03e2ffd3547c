#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/FrameLayout.h"
#include "show/HostPlan.h"

#include <optional>
#include <string>
#include <vector>

namespace hostlink {

// One entry of the Host Settings host list.
struct HostListItem
{
    std::string name;
    bool ticked = false;
};

// The host name to send and its frame: the first ticked entry's, trimmed.
// Raises show::Failure when there is none: no entry ticked
// (kHostSettingNoneTicked), the name empty or longer than 64 bytes in GBK
// (kHostSettingBadName), or a name the frame cannot carry
// (kHostSettingFrameNotBuilt).
struct HostNameChoice
{
    std::string name;
    HostNameFrame frame;
};
HostNameChoice ChooseHostName(const std::vector<HostListItem>& hosts);

// The plan's entry that gives `hostCode` to another name than `name`
// (trimmed), if there is one: that host stands for the other name, and
// telling it `name` would take the other name's cues off the field.
const show::HostPlanEntry* OtherNamePlanned(const std::vector<show::HostPlanEntry>& plan,
                                            int hostCode, const std::string& name);

// One host-name setting, as its dialog or the command line settled it: the
// name chosen, its frame built and the host code checked.
struct HostNameRequest
{
    HostConversation host{};
    HostNameFrame frame{};
};

// The host-name conversation: the frame and its acknowledgement, then the
// wait for a late answer (ListenForLateAnswers): a second one, which no
// correct host gives, fails it (kHostSettingAnsweredTwice).
ConversationResult SendHostName(const HostNameRequest& request);

// The same without the wait at its end: its link comes back open when the
// host accepted the name. Settled by
// Concluded(sent, stop, kHostSettingAnsweredTwice), or together with other
// links by ListenForLateAnswers and ConcludeWith.
SentFrames<ConversationResult> SendHostNameFrame(const HostNameRequest& request);

} // namespace hostlink
