#pragma once

#include "prompt/Prompt.h"

class QWidget;

namespace qtcommon {

// The prompt of the window: modal message boxes owned by the window and
// captioned with the program's name, and the platform's file dialogs.
class QtPrompt final : public prompt::Prompt
{
public:
    explicit QtPrompt(QWidget* owner) : owner_(owner) {}

    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override;
    void ShowMessage(const std::string& text, prompt::MessageIcon icon,
                     const std::string& details) override;
    bool AskYesNo(const std::string& text) override;
    prompt::Answer AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons) override;
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override;

private:
    QWidget* owner_;
};

} // namespace qtcommon
