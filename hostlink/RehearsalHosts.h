#pragma once

#include "platform/ChildProcess.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace hostlink {

// What a virtual host of a rehearsal does wrong, for training: nothing,
// refuse the K-th cue of each download, answer no frame from frame K on, or
// answer frame K `lateMs` late.
struct VirtualHostFault
{
    enum Kind
    {
        kNone,
        kRefuseCue,
        kSilentFrom,
        kLate,
    };
    Kind kind = kNone;
    int frame = 1;     // K, from 1
    int lateMs = 6000; // kLate: beyond the field's five-second wait
};

// The command line of tavrin-virtual-host playing host code N of a
// rehearsal: on 127.0.0.1 at port 10061 + N, every datagram kept, with the
// fault.
std::vector<std::string> VirtualHostCommandLine(int hostCode, const VirtualHostFault& fault);

// How starting one virtual host went.
struct VirtualHostStart
{
    enum Outcome
    {
        kListening,
        kPortTaken,  // another program listens on its port
        kNotStarted, // the program is missing, or did not say it listens
    };
    Outcome outcome = kListening;
    std::string detail; // what the program or the system said
};

// The virtual hosts of a rehearsal: one tavrin-virtual-host child process a
// host code, each ending with this object, and with the program that owns
// it even when that one is killed (platform::ChildProcess). Each writes what
// it received, one JSON line a frame with its bytes, into a file of its own
// in a folder made for them and removed at the end.
class RehearsalHosts
{
public:
    // `program`: the virtual host; by default the one beside this program.
    explicit RehearsalHosts(std::string program = BesideThisProgram());
    ~RehearsalHosts();
    RehearsalHosts(const RehearsalHosts&) = delete;
    RehearsalHosts& operator=(const RehearsalHosts&) = delete;

    static std::string BesideThisProgram();

    // Starts the host of `hostCode` with `fault` (ending the one it had
    // first) and waits until it listens, or says why it does not.
    VirtualHostStart Start(int hostCode, const VirtualHostFault& fault);
    // Ends every host.
    void StopAll();
    // The host codes whose hosts run.
    std::vector<int> Running();
    // What the host of `hostCode` wrote: its "listening" line, then one line
    // a frame received.
    std::vector<std::string> Lines(int hostCode) const;

private:
    std::string OutputFile(int hostCode) const;

    std::string program_;
    std::string folder_;
    std::map<int, std::unique_ptr<platform::ChildProcess>> hosts_;
};

} // namespace hostlink
