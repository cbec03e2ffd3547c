#pragma once

#include <string>
#include <vector>

namespace hostlink {

inline constexpr char kHostNamesQuery[] = "SELECT DISTINCT HostName FROM tb_Layout";

// The distinct host names the show store at `path` offers the Host Settings
// dialog, in the order the store returns them. A store or a tb_Layout that
// cannot be opened is not a show: no names. A failure while reading gives no
// names at all, never the part read before it: raises show::Failure
// (kBadField, kDatabase).
std::vector<std::string> ReadHostNames(const std::string& path);

} // namespace hostlink
