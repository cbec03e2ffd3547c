#include "tools/cli/TerminalPrompt.h"

#include "messages/ErrorRecord.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "tools/cli/CliCommon.h"

#include <algorithm>
#include <cstdio>

namespace cli {

void TerminalPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon)
{
    ShowMessage(text, icon, {});
}

void TerminalPrompt::ShowMessage(const std::string& text, prompt::MessageIcon /*icon*/,
                                 const std::string& details)
{
    PrintError(messages::Condensed(messages::ForReader(text, details), VerboseOutput()));
}

bool TerminalPrompt::AskYesNo(const std::string& text)
{
    PrintError(strings::FormatText(yes_ ? strings::kCliQuestionYes : strings::kCliQuestionNo,
                                   text.c_str()));
    return yes_;
}

std::optional<std::string> TerminalPrompt::ChooseOpenFile(const prompt::FileChoice& /*choice*/)
{
    if (openFiles_.empty())
        return std::nullopt;
    std::string path = std::move(openFiles_.front());
    openFiles_.pop_front();
    return path;
}

std::optional<std::string> TerminalPrompt::ChooseSaveFile(const prompt::FileChoice& choice)
{
    if (saveFile_)
        return saveFile_;
    if (choice.initialPath.empty())
        return std::nullopt;
    return choice.initialPath;
}

} // namespace cli
