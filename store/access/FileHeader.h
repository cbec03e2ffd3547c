#pragma once

#include "store/access/ByteSource.h"
#include "store/access/JetFormat.h"

#include <cstdint>

namespace jet {

// What the first page of a Jet file tells the reader.
struct FileHeader
{
    JetVersion version = JetVersion::Jet4;
    std::uint16_t codePage = 0; // of Jet 3 texts; 0 for the system's

    const JetFormat& Format() const { return JetFormat::Of(version); }
};

// Reads and checks the first page. Refuses, saying what the file is, all but
// plain Jet 3 and Jet 4 files: other files, Access 2007 and later (ACE),
// encrypted files, files with a database password, and files that do not end
// on a page boundary.
FileHeader ReadFileHeader(ByteSource& source);

} // namespace jet
