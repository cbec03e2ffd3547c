#pragma once

#include "hostlink/RecordedConversations.h"
#include "tools/cli/CliCommon.h"

#include <string>

namespace cli {

// Says on standard error what the recorder could not write, and goes on: the
// conversations' outcome and the exit code stay what they were.
void PrintRecordWarnings(const hostlink::HostRecorder& recorder);

// One conversation recorded in the show store `store`: `converse(recorder)`
// gives its Recorded result, `tell(result)` says how it ended, then what could
// not be recorded is said. The exit code: success when it completed.
template <typename Converse, typename Tell>
int RunRecordedConversation(const std::string& store, Converse converse, Tell tell)
{
    hostlink::HostRecorder recorder(store);
    const auto result = converse(&recorder).result;
    tell(result);
    PrintRecordWarnings(recorder);
    return result.Completed() ? kSuccess : kFailure;
}

} // namespace cli
