#pragma once

#include "show/Cue.h"
#include "show/Failure.h"
#include "show/Show.h"
#include "show/WorkProgress.h"
#include "store/LayoutTable.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace show {

// What the show check can find. Errors would put a wrong or broken show on a
// firing host; warnings are worth a look before a download.
enum class FindingKind
{
    kEmptyShow,
    kSharedFiringPoint, // one host, module and channel fired by several cues
    kNegativeLaunchTime,
    kAddrNotDecimal, // the host would get another number than the text says
    kChannelNotDecimal,
    kAddrTooLarge, // no 32-bit number: the cue cannot be sent at all
    kChannelTooLarge,
    kHostNameBlank, // nothing but blanks: the cue belongs to no host
    kHostNameNotGbk,
    kHostNameTooLong, // more than 64 bytes in GBK
    kDefaultHost,     // still on the import's "HOST" (a warning)
    kNullField,       // NULL in BlastTime, CDCode, Sector or HostName: it would go out as 0
    kHostNameControl, // control characters (C0, DEL, C1) in the name
    kAddrNegative,    // no module and no pin has a negative number
    kChannelNegative,
    kHostNameTooWide, // more than the store's 32 characters (made elsewhere)
    kFireRecordNull,  // made from a FireOne record with NULL where the import reads (a warning)
};

enum class FindingSeverity
{
    kError,
    kWarning
};

// One thing found, with the facts its text is made of (messages::FindingText).
struct ShowFinding
{
    FindingKind kind;
    FindingSeverity severity;
    // What it is about: the host name; the Addr or Channel text as stored;
    // the column that holds NULL (kNullField); the FireOne field
    // (kFireRecordNull: LaunchTimeMS, Slat, Cue or Event). Empty for the rest.
    std::string subject;
    int module = 0; // kSharedFiringPoint: the firing point, with `subject` its host
    int channel = 0;
    std::vector<int> sequences; // the cues concerned, by "Sequence" (FlowID), in store order
    std::vector<CueIndex> cues; // the same cues, by their place in the show
};

struct ShowCheckReport
{
    int cues = 0;
    std::vector<ShowFinding> findings; // errors first, then warnings

    int Errors() const;
    int Warnings() const;
};

// Checks the cues of a show, as read from its store (their `nulls` included),
// with the NULLs of their FireOne records where known (`fire`).
ShowCheckReport CheckShow(const std::vector<show::Cue>& cues);

// The same for a show held elsewhere (the window's, unsaved names included)
// whose show store is at `storePath`: the FireData it keeps says which cues
// came from FireOne records with NULLs. A store that cannot be read now
// says nothing of them: the cues are checked as they are.
ShowCheckReport CheckShowOfStore(std::vector<show::Cue> cues, const std::string& storePath);

// Reads the show store by path and checks it, the FireOne records it keeps
// included. Raises Failure when the store cannot be read (see ReadShowFile).
// The records read are steps of `progress` (which may raise Cancelled).
ShowCheckReport CheckShowStore(const std::string& path,
                               WorkProgress& progress = WorkProgress::None());

// A short name of the kind that scripts can match on ("shared-firing-point").
const char* FindingKindName(FindingKind kind);

} // namespace show
