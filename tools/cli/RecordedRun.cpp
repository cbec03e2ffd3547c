#include "tools/cli/RecordedRun.h"

#include "messages/FailureMessage.h"
#include "tools/cli/CliCommon.h"

namespace cli {

void PrintRecordWarnings(const hostlink::HostRecorder& recorder)
{
    for (const show::Failure& warning : recorder.Warnings())
        PrintFailure(warning, messages::Doing::kDownloading);
}

} // namespace cli
