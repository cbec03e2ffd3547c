#include "tools/cli/RecordedRun.h"

#include "messages/FailureMessage.h"
#include "tools/cli/CliCommon.h"

namespace cli {

void PrintRecordWarnings(const hostlink::HostRecorder& recorder)
{
    for (const show::Warning& warning : recorder.Warnings())
        PrintFailure(warning.Facts(), messages::Doing::kDownloading);
}

} // namespace cli
