#pragma once

#include <optional>
#include <string>
#include <vector>

// What the commands need from a user: messages, Yes/No questions and file
// choosers. The window answers with modal dialogs; tests and the command line
// answer with their own implementations.
namespace prompt {

enum class MessageIcon
{
    None,
    Stop,
    Warning,
    Information
};

// The answer to a question that can also be put off.
enum class Answer
{
    Yes,
    No,
    Cancel
};

// The buttons of such a question: Yes, No and Cancel; or Save, Discard and
// Cancel, which answer Yes, No and Cancel.
enum class AnswerButtons
{
    YesNoCancel,
    SaveDiscardCancel
};

struct FileFilter
{
    std::string label;                 // "mdb files (*.mdb)"
    std::vector<std::string> patterns; // {"*.mdb"}
};

struct FileChoice
{
    std::vector<FileFilter> filters; // in the order shown; the first is selected
    std::string initialPath;         // folder or proposed file; empty: none
    std::string defaultSuffix;       // added to a typed name without one; empty: none
    // Save only: ask before an existing file is chosen. Off where the command
    // never replaces a file it is given (it opens or refuses it instead).
    bool confirmReplace = true;
};

class Prompt
{
public:
    virtual ~Prompt() = default;

    // A modal message with an OK button.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // The same with the access layer's error record (`details`, empty when
    // there is none) kept apart, for a prompt that shows it on request. One
    // that shows a single text gets the record after the message.
    virtual void ShowMessage(const std::string& text, MessageIcon icon, const std::string& details)
    {
        ShowMessage(details.empty() ? text : text.empty() ? details : text + "\n" + details, icon);
    }
    // A modal question with Yes and No buttons and a question icon; true on Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A modal question with three buttons and a question icon; Escape and the
    // close box answer Cancel. A prompt that has no way to ask it answers
    // Cancel, so that nothing is done without the user's word.
    virtual Answer AskYesNoCancel(const std::string& /*text*/, AnswerButtons /*buttons*/)
    {
        return Answer::Cancel;
    }
    // An Open File chooser that accepts only an existing file; nothing when
    // the user cancels.
    virtual std::optional<std::string> ChooseOpenFile(const FileChoice& choice) = 0;
    // A Save File chooser that asks before replacing a file; nothing on cancel.
    virtual std::optional<std::string> ChooseSaveFile(const FileChoice& choice) = 0;
};

} // namespace prompt
