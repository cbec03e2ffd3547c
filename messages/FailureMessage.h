#pragma once

#include "prompt/Prompt.h"
#include "show/Failure.h"

#include <string>
#include <utility>

// The user's texts for the failures of the show model and what stands on it.
// Only the window and the command line turn a failure into words, and they do
// it here, from the string table.
namespace messages {

// What the user was doing: the same failure reads differently in each ("the
// show has not been loaded!", "fire data have not saved!").
enum class Doing
{
    kOpening,         // opening a show store, or reading one to show or print it
    kChecking,        // the show check of a store
    kSaving,          // Save, or a command that saves
    kAssigning,       // a host name as typed
    kReadingToAssign, // reading a show store to give its cues a host name and save them
    kImporting,       // the FireOne import
    kPlanning,        // the host plan
    kDownloading,     // reading a show store to send it to firing hosts
    kSettingHost,     // reading a show store's host names for the Host Settings dialog
};

// A failure met in a step of a command that reads as another activity: the
// FireOne import opens its file, and shows a show table already stored, as
// Open does. It is said in the words of its step, whichever command shows it.
class StepFailure : public show::Failure
{
public:
    StepFailure(show::Failure failure, Doing step) : show::Failure(std::move(failure)), step_(step)
    {
    }
    Doing Step() const { return step_; }

private:
    Doing step_;
};

// The activity whose words say `failure`, met while `doing`: its step's, for
// a StepFailure.
Doing SaidAs(const show::Failure& failure, Doing doing);

// Runs one step of a command: a failure on the way is raised as a
// StepFailure of `step` (an inner step keeps its own).
template <typename Work> decltype(auto) InStep(Doing step, Work&& work)
{
    try {
        return work();
    } catch (const show::Failure& failure) {
        if (dynamic_cast<const StepFailure*>(&failure))
            throw;
        throw StepFailure(failure, step);
    }
}

struct Message
{
    std::string text;
    prompt::MessageIcon icon = prompt::MessageIcon::Stop;
    std::string details; // the access layer's whole error record, when there is one
};

// What `failure` says to a user who was `doing` it (a StepFailure: in its
// step's words).
Message FailureMessage(const show::Failure& failure, Doing doing);

// A host's failure in the summary of a field load on the command line: a
// cue the host refused says at which frame; every other failure as the
// Download dialog says it.
std::string FieldHostFailureText(const show::Failure& failure);

// The first line of what a store's failure says in this activity ("the show
// store cannot be read,the show has not been loaded!").
std::string FailureHeadline(Doing doing);

// Shows the failure's message through the prompt.
void ShowFailure(prompt::Prompt& prompt, const show::Failure& failure, Doing doing);
// The same without the access layer's record.
void ShowFailureText(prompt::Prompt& prompt, const show::Failure& failure, Doing doing);

// The text alone.
inline std::string FailureText(const show::Failure& failure, Doing doing)
{
    return FailureMessage(failure, doing).text;
}

} // namespace messages
