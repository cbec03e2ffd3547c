#pragma once

#include "hostlink/FrameLayout.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "prompt/Prompt.h"
#include "show/HostNameRules.h"

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace hostlink {

// One entry of the Host Settings host list.
struct HostListItem
{
    std::string name;
    bool ticked = false;
};

// The host name to send: the first ticked entry, trimmed. Nothing, with the
// message shown, when no entry is ticked or the name is empty or longer than
// 64 bytes in GBK.
std::optional<std::string> ChooseHostName(const std::vector<HostListItem>& hosts,
                                          prompt::Prompt& prompt);

// Tells one firing host which host name of the show it stands for: the name
// checks first, then the host code, then one host-name frame and its
// acknowledgement. Shared by the Host Settings dialog and the command line.
class HostNameSetting
{
public:
    explicit HostNameSetting(prompt::Prompt& prompt, HostLinkOptions options = {});

    void SetHostLinkMaker(HostLinkMaker maker) { makeLink_ = std::move(maker); }
    // Ends the wait for the host's answer, with no message, once a stop is
    // requested.
    void SetCancelToken(std::stop_token cancel) { cancel_ = std::move(cancel); }

    // The Setings button: true when the host accepted the name.
    bool SetHost(const std::vector<HostListItem>& hosts, const std::string& hostCodeText);
    // The exchange itself, for a frame already built: the host-code checks,
    // the socket, the frame and its reply, and the outcome's message.
    bool SendHostName(const HostNameFrame& frame, const std::string& hostCodeText);

private:
    prompt::Prompt& prompt_;
    HostLinkOptions options_;
    HostLinkMaker makeLink_;
    std::stop_token cancel_;
};

} // namespace hostlink
