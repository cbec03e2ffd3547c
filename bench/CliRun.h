#pragma once

#include <string>
#include <vector>

namespace bench {

struct CliRun
{
    double seconds = 0;
    double peakMB = 0; // the command's and every process under it
};

// `tavrin-cli` (beside this program) with these arguments, run as a user
// runs it, a process of its own, timed and its tree's memory watched.
// Raises std::runtime_error when it does not end with exit 0 within a minute.
CliRun RunTavrinCli(const std::vector<std::string>& arguments);

// The middle one of an odd number of figures.
double Median(std::vector<double> figures);

} // namespace bench
