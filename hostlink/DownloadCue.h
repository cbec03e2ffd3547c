#pragma once

#include <cstdint>
#include <string>

namespace hostlink {

// One cue of a download: the tb_Layout fields that a cue frame carries.
// Addr and Channel stay text until the frame is built.
struct DownloadCue
{
    std::string HostName;
    std::int32_t CDCode = 0;
    std::int32_t BlastTime = 0; // milliseconds from the start of the show
    std::int32_t reserved = 0;
    std::int32_t Sector = 0;
    std::string Addr;
    std::string Channel;
};

} // namespace hostlink
