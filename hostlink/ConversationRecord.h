#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/DownloadProcedure.h"
#include "store/HostLoadTable.h"

#include <string>

namespace hostlink {

// Whether a host code's conversations go to its own field address and port
// (192.168.10.N:10061), the only ones that say what the field holds.
bool AtFieldAddress(const HostLinkOptions& link, int hostCode);

// The record of a conversation about to begin, before its first frame:
// `sent` (store::kSentHostName with the `name` it sends, or store::kSentShow)
// in `frames` frames, with a key of its own that its ended record (of the
// functions below) takes over. If it never ends, it stopped at its only
// frame, or somewhere not known.
store::HostLoadRecord BegunRecord(const HostConversation& host, const std::string& sent,
                                  const std::string& name, int frames);

// The record of a host-name conversation that sent `name`.
store::HostLoadRecord NameRecord(const HostConversation& host, const std::string& name,
                                 const ConversationResult& result);

// The record of a download: the show as far as the host acknowledged it.
store::HostLoadRecord ShowRecord(const HostConversation& host, const DownloadResult& result);

} // namespace hostlink
