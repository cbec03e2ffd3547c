#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace show {

// The columns of a record that held NULL. Each reads as 0 or the empty text
// all the same; only the show check looks here, since a store made elsewhere
// (without NOT NULL) would otherwise pass a made-up 0 on to a host.
struct CueNulls
{
    bool HostName = false;
    bool BlastTime = false;
    bool CDCode = false;
    bool Sector = false;

    bool Any() const { return HostName || BlastTime || CDCode || Sector; }
};

// The fields of the FireOne record a cue was made from that held NULL, of
// those the import reads; each was imported as 0 all the same. Known right
// after an import, and from the FireData a show store keeps (see
// NoteFireRecordNulls); only the show check looks here.
struct FireRecordNulls
{
    bool LaunchTime = false; // LaunchTimeMS
    bool Event = false;
    bool Module = false;    // Slat
    bool CueNumber = false; // Cue

    bool Any() const { return LaunchTime || Event || Module || CueNumber; }
    bool operator==(const FireRecordNulls&) const = default;
};

// One cue of a show: one row of tb_Layout, typed.
struct Cue
{
    std::int32_t FlowID = 0;
    std::string HostName;
    std::int32_t HostIndex = 0;
    std::int32_t BlastTime = 0; // milliseconds from the start of the show
    std::string Addr;
    std::string Channel;
    std::int32_t CDCode = 0;
    std::int32_t Sector = 0;
    CueNulls nulls;       // as read from the store; all false for a cue made in memory
    FireRecordNulls fire; // of its FireOne record, where known
};

enum CueColumn : int
{
    kColumnSequence = 0,
    kColumnHost = 1,
    kColumnLaunchTime = 2,
    kColumnOffset = 3,
    kColumnEvent = 4,
    kColumnSla = 5,
    kColumnCue = 6,
    kColumnNote = 7,
    kCueColumnCount = 8,
};

// The eight grid texts of a cue, by column.
std::array<std::string, kCueColumnCount> CueCellTexts(const Cue& cue);
// One of them; the empty text for a column past the eighth.
std::string CueCellText(const Cue& cue, int column);

} // namespace show
