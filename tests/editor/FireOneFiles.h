#pragma once

#include <optional>
#include <string>
#include <vector>

namespace editortest {

// One FireData record as the tests write it; an empty value stores NULL.
struct FireRecord
{
    std::optional<int> launchTimeMs;
    std::optional<int> event;
    std::optional<int> slat;
    std::optional<int> cue;
};

// A new SQLite FireOne file at `path`: FireData with an ID and a Note column
// around the four the import reads, holding `records` in that order.
void MakeFireOneFile(const std::string& path, const std::vector<FireRecord>& records);

// `count` records with launch times 0, 100, 200, ..., Slat 1..16 and Cue 1..32.
std::vector<FireRecord> ManyFireRecords(int count);

// Every byte of a file.
std::string FileBytes(const std::string& path);

} // namespace editortest
