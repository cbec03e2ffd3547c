#pragma once

#include "hostlink/DownloadProcedure.h"
#include "hostlink/HostLoadRecorder.h"
#include "hostlink/HostNameSetting.h"

#include <string>

namespace hostlink {

// The conversations with their records in the show store: each is recorded
// as begun, committed, before its first frame goes, and that record is
// completed when it ends. A program killed mid-way thus leaves its host
// failed, never as it was before. Without a recorder nothing is recorded;
// the warning is the first a record gave.
Recorded<DownloadResult> SendShowRecorded(const DownloadRequest& request,
                                          HostLoadRecorder* recorder);

// `name` is the host name the request's frame carries.
Recorded<ConversationResult> SendHostNameRecorded(const HostNameRequest& request,
                                                  const std::string& name,
                                                  HostLoadRecorder* recorder);

} // namespace hostlink
