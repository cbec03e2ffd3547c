#pragma once

#include "prompt/Prompt.h"

#include <functional>
#include <string>

namespace editor {

// The prompt the main window hands a host dialog. The dialog still chooses
// its own show store, but its Open File chooser starts at the window's
// current store (preselected, so that Enter takes it), and a chosen file
// passes the window's gate before the dialog reads it: a file the gate turns
// down counts as a cancelled choice, so the dialog ends with nothing read or
// sent. Everything else goes to the window's prompt as it is.
class StoreGatePrompt final : public prompt::Prompt
{
public:
    using Gate = std::function<bool(const std::string& path)>;

    StoreGatePrompt(prompt::Prompt& window, std::string currentStore, Gate gate)
        : window_(window), currentStore_(std::move(currentStore)), gate_(std::move(gate))
    {
    }

    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override
    {
        window_.ShowMessage(text, icon);
    }
    bool AskYesNo(const std::string& text) override { return window_.AskYesNo(text); }
    prompt::Answer AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons) override
    {
        return window_.AskYesNoCancel(text, buttons);
    }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override
    {
        return window_.ChooseSaveFile(choice);
    }

private:
    prompt::Prompt& window_;
    std::string currentStore_;
    Gate gate_;
};

// Whether two paths name the same file (links and relative paths included).
bool IsSameFile(const std::string& a, const std::string& b);

} // namespace editor
