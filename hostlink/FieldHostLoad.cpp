#include "hostlink/FieldHostLoad.h"

#include "hostlink/DownloadProcedure.h"
#include "hostlink/Frames.h"
#include "hostlink/HostNameSetting.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"

namespace hostlink {

namespace {

// The user of one host's conversations: nobody to ask, so the failure text
// a conversation would show is kept for the summary instead.
class FailureTextPrompt final : public prompt::Prompt
{
public:
    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override
    {
        if (icon != prompt::MessageIcon::Information)
            failure = text;
    }
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice&) override { return {}; }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice&) override { return {}; }

    std::string failure;
};

// A download's dialog for one host of the field: its percents are reported.
class FieldHostView final : public DownloadView
{
public:
    FieldHostView(FieldHostState& state, const std::function<void(const FieldHostState&)>& report,
                  std::stop_token cancel)
        : state_(state), report_(report), cancel_(std::move(cancel))
    {
    }

    std::string HostCodeText() override { return {}; } // the host code is known already
    std::stop_token CancelToken() override { return cancel_; }
    void SetProgressPercent(int percent) override
    {
        if (percent == state_.percent)
            return;
        state_.percent = percent;
        report_(state_);
    }
    void SetProgressText(const std::string&) override {}
    void SetEndText(const std::string&) override {}
    void SetStatusLine(const std::string&) override {}

private:
    FieldHostState& state_;
    const std::function<void(const FieldHostState&)>& report_;
    std::stop_token cancel_;
};

} // namespace

FieldHostState LoadOneFieldHost(const std::vector<show::Cue>& cues, const FieldHost& host,
                                const std::function<void(const FieldHostState&)>& report,
                                std::stop_token cancel, const HostLinkMaker& makeLink)
{
    FieldHostState state;
    FailureTextPrompt prompt;
    const auto end = [&](FieldHostState::Phase phase) {
        state.phase = cancel.stop_requested() ? FieldHostState::kCancelled : phase;
        state.message = state.phase == FieldHostState::kCancelled ? strings::kCancelDownload
                        : state.phase == FieldHostState::kFailed  ? prompt.failure
                                                                  : std::string();
        report(state);
        return state;
    };
    if (cancel.stop_requested())
        return end(FieldHostState::kCancelled);

    state.phase = FieldHostState::kNaming;
    report(state);
    HostNameFrame frame;
    const std::optional<std::string> name = ChooseHostName({{host.hostName, true}}, prompt);
    if (!name)
        return end(FieldHostState::kFailed);
    if (const BuildOutcome built = BuildHostNameFrame(*name, frame); !built) {
        prompt.failure = built.message;
        return end(FieldHostState::kFailed);
    }
    HostNameSetting setting(prompt, host.link);
    setting.SetHostLinkMaker(makeLink);
    setting.SetCancelToken(cancel);
    if (!setting.SendHostName(frame, std::to_string(host.hostCode)))
        return end(FieldHostState::kFailed);

    state.phase = FieldHostState::kDownloading;
    report(state);
    FieldHostView view(state, report, cancel);
    DownloadProcedure download(prompt, view, host.link);
    download.SetHostLinkMaker(makeLink);
    if (!download.SendShow(cues, host.hostCode))
        return end(FieldHostState::kFailed);
    return end(FieldHostState::kDone);
}

} // namespace hostlink
