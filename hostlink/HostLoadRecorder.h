#pragma once

#include "show/Failure.h"
#include "store/HostLoadTable.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace hostlink {

// Writes the records of one run's conversations into its show store, one at
// a time, from whichever thread a conversation ended on (the hosts of a field
// load end together). A record that cannot be written is a warning, said once
// however many hosts it concerns; once the store turned out to be an Access
// file, nothing more is tried.
class HostLoadRecorder
{
public:
    explicit HostLoadRecorder(std::string storePath);

    // The warning, the first time one of its kind comes up.
    std::optional<show::Failure> Record(const store::HostLoadRecord& record);
    // Every warning so far, in the order they came.
    std::vector<show::Failure> Warnings() const;

private:
    std::string storePath_;
    mutable std::mutex mutex_;
    bool accessStore_ = false;
    std::vector<show::Failure> warnings_;
};

// A conversation's result with the warning its record gave, if any.
template <typename Result> struct Recorded
{
    Result result;
    std::optional<show::Failure> warning;
};

} // namespace hostlink
