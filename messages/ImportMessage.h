#pragma once

#include "show/HostNameCarryOver.h"

#include <string>

// The texts the FireOne import says besides its failures: what a second
// import would change and what it changed, and the records with NULLs.
namespace messages {

// How many cues came from FireOne records with NULLs (read as 0).
std::string NullFireRecordsText(int nulls);

// The question before a changed show is brought into its store.
std::string ReimportQuestion(const show::CarryOver& carried);

// What the update changed, and how many of its cues came from records with
// NULLs (0: nothing said of them).
std::string ReimportDoneText(const show::CarryOver& carried, int nulls);

} // namespace messages
