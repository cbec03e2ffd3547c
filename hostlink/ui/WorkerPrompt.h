#pragma once

#include "prompt/Prompt.h"

namespace hostlink {

class WindowWorker;

// The prompt a procedure on a worker thread talks through: every message,
// question and file chooser is shown by the window's own prompt, modally on
// the window's thread, while the procedure waits for the answer. Once the
// window abandoned the work, nothing is shown: questions get No (or Cancel) and file
// choosers are cancelled.
class WorkerPrompt final : public prompt::Prompt
{
public:
    WorkerPrompt(WindowWorker& worker, prompt::Prompt& windowPrompt)
        : worker_(worker), windowPrompt_(windowPrompt)
    {
    }

    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override;
    prompt::Answer AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons) override;

private:
    WindowWorker& worker_;
    prompt::Prompt& windowPrompt_;
};

} // namespace hostlink
