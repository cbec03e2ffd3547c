#pragma once

#include "prompt/Prompt.h"

#include <optional>
#include <string>

namespace prompt {

// A prompt for programs that run a command unattended (benchmarks, the
// screenshot maker): every Open File chooser gets the one file, Save File
// choosers are cancelled, questions are answered No, and messages are kept
// for the program to look at afterwards.
class FixedFilePrompt final : public Prompt
{
public:
    explicit FixedFilePrompt(std::string path) : path_(std::move(path)) {}

    using Prompt::ShowMessage; // the record after the message
    void ShowMessage(const std::string& text, MessageIcon /*icon*/) override
    {
        messages += text + "\n";
    }
    bool AskYesNo(const std::string& /*text*/) override { return false; }
    std::optional<std::string> ChooseOpenFile(const FileChoice& /*choice*/) override
    {
        return path_;
    }
    std::optional<std::string> ChooseSaveFile(const FileChoice& /*choice*/) override
    {
        return std::nullopt;
    }

    std::string messages; // every message shown, each ending in a line break

private:
    std::string path_;
};

} // namespace prompt
