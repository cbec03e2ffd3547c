#pragma once

#include "hostlink/HostLoadRecorder.h"
#include "store/HostLoadTable.h"

#include <string>

namespace cli {

// Writes one conversation's record into the show store at `store`; says on
// standard error when it cannot, and goes on: the conversation's outcome and
// the exit code stay what they were.
void RecordConversation(const std::string& store, const store::HostLoadRecord& record);

// Says on standard error what the recorder could not write.
void PrintRecordWarnings(const hostlink::HostLoadRecorder& recorder);

} // namespace cli
