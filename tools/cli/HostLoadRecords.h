#pragma once

#include "hostlink/HostLoadRecorder.h"

namespace cli {

// Says on standard error what the recorder could not write, and goes on: the
// conversations' outcome and the exit code stay what they were.
void PrintRecordWarnings(const hostlink::HostLoadRecorder& recorder);

} // namespace cli
