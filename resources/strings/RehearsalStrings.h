#pragma once

// The string table's texts of a rehearsal (see Strings.h for how texts are
// kept): the window, its host dialogs and its virtual hosts while every host
// is on this computer.

namespace strings {

inline constexpr char kMenuRehearsal[] = "Rehearsal";
inline constexpr char kMenuVirtualHosts[] = "Start Virtual Hosts...";
inline constexpr char kMainWindowTitleRehearsal[] = "Corvane-Quillmark [Rehearsal]";
// %s: the show store's file name; "[*]" marks unsaved host names
inline constexpr char kMainWindowTitleWithStoreRehearsal[] = "%s[*] [Rehearsal] - Corvane-Quillmark";
inline constexpr char kRehearsalHostsAt[] = "Rehearsal: host N is at 127.0.0.1, port 10061 + N";
// %d: host code, %s: its address and port
inline constexpr char kRehearsalHostAt[] = "Rehearsal: host %d is at %s";
inline constexpr char kCliRefuseCueHelp[] = "refuse the K-th cue of each download (counted from 1 after its project name)";
inline constexpr char kVirtualHostsTitle[] = "Virtual Hosts";
inline constexpr char kVirtualHostsStart[] = "&Start";
inline constexpr char kVirtualHostsClose[] = "&Close";
inline constexpr char kVirtualHostsColumnFault[] = "Fault";
inline constexpr char kVirtualHostsColumnFrame[] = "K";
inline constexpr char kVirtualHostsColumnLate[] = "Late by (ms)";
inline constexpr char kVirtualHostsFaultNone[] = "none";
inline constexpr char kVirtualHostsFaultRefuseCue[] = "refuse cue K";
inline constexpr char kVirtualHostsFaultSilent[] = "silent from frame K";
inline constexpr char kVirtualHostsFaultLate[] = "answer frame K late";
inline constexpr char kVirtualHostsListening[] = "listening";
inline constexpr char kVirtualHostsNoPlan[] = "the show store has no host plan: one virtual host is started for each host code of the plan";
// %d: host code, %d: port, %s: what the virtual host said
inline constexpr char kVirtualHostsPortTaken[] = "host %d: port %d of 127.0.0.1 is taken, another program listens there (%s)";
// %d: host code, %s: why
inline constexpr char kVirtualHostsNotStarted[] = "host %d: the virtual host could not be started: %s";
// %d: virtual hosts listening
inline constexpr char kVirtualHostsSummary[] = "%d virtual hosts listening";

} // namespace strings
