#pragma once

#include "prompt/Prompt.h"
#include "show/Failure.h"

#include <string>
#include <utility>

// The user's texts for the failures of the show model and what stands on it.
// Only the window and the command line turn a failure into words, and they do
// it here, from the string table.
namespace messages {

using show::Doing;

// The activity whose words say `failure`, met while `doing`: its step's, when
// it was met in one (InStep).
Doing SaidAs(const show::Failure& failure, Doing doing);

// Runs one step of a command whose failures read as `step`: a failure on the
// way is raised with that step (an inner step keeps its own).
template <typename Work> decltype(auto) InStep(Doing step, Work&& work)
{
    try {
        return work();
    } catch (show::Failure& failure) {
        if (!failure.Step())
            failure.WithStep(step);
        throw;
    }
}

struct Message
{
    std::string text;
    prompt::MessageIcon icon = prompt::MessageIcon::Stop;
    std::string details; // the access layer's whole error record, when there is one
};

// What `failure` says to a user who was `doing` it (met in a step: in its
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
