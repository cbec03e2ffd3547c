#include "editor/UnsavedNamesQuestion.h"

#include "prompt/Prompt.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

namespace editor {

namespace {

bool Ask(prompt::Prompt& prompt, const std::string& question, prompt::AnswerButtons buttons,
         const std::function<bool()>& save)
{
    switch (prompt.AskYesNoCancel(question, buttons)) {
    case prompt::Answer::Yes:
        return save();
    case prompt::Answer::No:
        return true;
    case prompt::Answer::Cancel:
        break;
    }
    return false;
}

} // namespace

bool MayDropUnsavedNames(prompt::Prompt& prompt, const char* next,
                         const std::function<bool()>& save)
{
    return Ask(prompt, strings::FormatText(strings::kUnsavedQuestion, next),
               prompt::AnswerButtons::SaveDiscardCancel, save);
}

bool MayReadStoreWithUnsavedNames(prompt::Prompt& prompt, const char* next,
                                  const std::function<bool()>& save)
{
    return Ask(prompt, strings::FormatText(strings::kUnsavedQuestion, next),
               prompt::AnswerButtons::YesNoCancel, save);
}

} // namespace editor
