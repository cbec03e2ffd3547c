#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostLinkOptions.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "show/Cue.h"
#include "tests/support/TempDir.h"
#include "tools/virtual-host/VirtualFiringHost.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hostlinktest {

using namespace std::chrono_literals;

// For the programs that send to the field's address: true inside an isolated
// network (loopback its only interface); elsewhere false, after saying on
// stderr that `program` sends nothing there.
bool InsideIsolatedNetwork(const char* program);

// The main of such a program: its tests, when inside an isolated network;
// else 1, after saying why.
int RunTestsInsideIsolatedNetwork(int argc, char** argv, const char* program);

// One row of tb_Layout for a test store; Addr and Channel may be NULL.
struct StoreRow
{
    int FlowID = 0;
    std::string HostName = "HOST";
    int BlastTime = 0;
    std::optional<std::string> Addr = "01";
    std::optional<std::string> Channel = "00";
    int CDCode = 0;
    int Sector = 0;
};

// A SQLite show store holding tb_Layout with these rows, in this order.
std::string MakeShowStore(const testsupport::TempDir& dir, const std::vector<StoreRow>& rows,
                          const std::string& name = "show.db");

// n cues, FlowID and CDCode i, BlastTime 1000 * i.
std::vector<StoreRow> NumberedRows(int count);
// The same, each on the host name that `hostOf` gives its FlowID.
std::vector<StoreRow> NumberedRows(int count, const std::function<std::string(int flowId)>& hostOf);

// Where tests find their hosts: loopback only, short waits (the end wait
// too). Anything but a 127.x.x.x pattern fails the test before a datagram
// can leave.
hostlink::HostLinkOptions LoopbackOptions(std::uint16_t port,
                                          std::chrono::milliseconds receiveTimeout = 3000ms,
                                          const std::string& pattern = "127.0.0.1");

// A virtual host on loopback at a free port; fails the test if it cannot start.
std::unique_ptr<hostlink::VirtualFiringHost> StartHost(hostlink::VirtualHostOptions options = {});

// The text and icon a conversation's failure is shown with; a test fails
// when there is no failure.
struct ShownFailure
{
    std::string text;
    prompt::MessageIcon icon = prompt::MessageIcon::None;
};
ShownFailure Shown(const hostlink::ConversationResult& result);

// `read` raises a failure that, while `doing`, is shown as `text` with the
// stop icon.
void ExpectStopShown(const std::function<void()>& read, messages::Doing doing,
                     const std::string& text);

// A real socket whose send number `failingSend` (from 1) fails without
// sending anything; counts the sends and whether the link was closed.
struct LinkLog
{
    int sends = 0;
    int closes = 0;
};
hostlink::HostLinkMaker FailingSendMaker(int failingSend, LinkLog& log);

// The frames of the given kind the host took in, in order.
std::vector<hostlink::HostFrameRecord> FramesOfKind(const hostlink::VirtualFiringHost& host,
                                                    hostlink::DecodedFrame::Kind kind);

// A show of `count` cues in launch-time order, cue i on host names[i % size].
std::vector<show::Cue> FieldCues(int count, const std::vector<std::string>& names);

// The host took in its host name, then the project name, then every cue of
// the show in order, each the very frame the builders make of it.
void ExpectNamedAndLoaded(const hostlink::VirtualFiringHost& host, const std::string& name,
                          const std::vector<show::Cue>& cues);

// Records in the show store that host `code`, at its field address, took in
// `name` and then the whole show the store holds now: as a field load there
// would have left it.
void RecordFieldLoad(const std::string& store, int code, const std::string& name);

// Records that host `code` took in `name` at its field address, and then the
// show's first `acknowledged` frames before the host refused the next one.
void RecordFailedFieldLoad(const std::string& store, int code, const std::string& name,
                           int acknowledged);

} // namespace hostlinktest
