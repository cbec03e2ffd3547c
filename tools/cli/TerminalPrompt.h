#pragma once

#include "prompt/Prompt.h"

#include <deque>
#include <optional>
#include <string>

namespace cli {

// The procedures' user on a terminal: messages go to standard error, file
// choosers are answered from the command line's arguments and questions from
// its flags (No unless told otherwise). Nobody is asked anything
// interactively, so a script never hangs.
class TerminalPrompt : public prompt::Prompt
{
public:
    // The answers to the next Open File choosers, in order; with none left a
    // chooser counts as cancelled.
    void AnswerOpenFile(std::string path) { openFiles_.push_back(std::move(path)); }
    // The answer to Save File choosers; without one, the file the procedure
    // proposes is taken.
    void AnswerSaveFile(std::string path) { saveFile_ = std::move(path); }
    void AnswerQuestions(bool yes) { yes_ = yes; }
    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override;
    // The record is printed after the message when output is verbose.
    void ShowMessage(const std::string& text, prompt::MessageIcon icon,
                     const std::string& details) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override;
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override;

private:
    std::deque<std::string> openFiles_;
    std::optional<std::string> saveFile_;
    bool yes_ = false;
};

} // namespace cli
