#include "hostlink/ui/WorkerPrompt.h"

#include "hostlink/ui/WindowWorker.h"

#include <memory>

namespace hostlink {

// The answers live in shared storage: a call the window is still in when it
// abandons the work must not write into the worker's finished frame.

void WorkerPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon)
{
    worker_.Call([&window = windowPrompt_, text, icon] { window.ShowMessage(text, icon); });
}

bool WorkerPrompt::AskYesNo(const std::string& text)
{
    auto yes = std::make_shared<bool>(false);
    if (!worker_.Call([&window = windowPrompt_, text, yes] { *yes = window.AskYesNo(text); }))
        return false;
    return *yes;
}

prompt::Answer WorkerPrompt::AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons)
{
    auto answer = std::make_shared<prompt::Answer>(prompt::Answer::Cancel);
    if (!worker_.Call([&window = windowPrompt_, text, buttons, answer] {
            *answer = window.AskYesNoCancel(text, buttons);
        }))
        return prompt::Answer::Cancel;
    return *answer;
}

std::optional<std::string> WorkerPrompt::ChooseOpenFile(const prompt::FileChoice& choice)
{
    auto path = std::make_shared<std::optional<std::string>>();
    if (!worker_.Call(
            [&window = windowPrompt_, choice, path] { *path = window.ChooseOpenFile(choice); }))
        return std::nullopt;
    return *path;
}

std::optional<std::string> WorkerPrompt::ChooseSaveFile(const prompt::FileChoice& choice)
{
    auto path = std::make_shared<std::optional<std::string>>();
    if (!worker_.Call(
            [&window = windowPrompt_, choice, path] { *path = window.ChooseSaveFile(choice); }))
        return std::nullopt;
    return *path;
}

} // namespace hostlink
