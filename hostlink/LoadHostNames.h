#pragma once

#include "prompt/Prompt.h"

#include <string>
#include <vector>

namespace hostlink {

inline constexpr char kHostNamesQuery[] = "SELECT DISTINCT HostName FROM tb_Layout";

// The Open File choice of the Host Settings dialog: the download's.
prompt::FileChoice HostSettingsFileChoice();

// The host names a show store offers the Host Settings dialog.
struct HostNameList
{
    enum Status
    {
        kCancelled,     // no file chosen
        kLoaded,        // names in the order the store returns them, maybe none
        kDatabaseError, // the store failed while being read; its message shown
    };
    Status status = kCancelled;
    std::vector<std::string> names;
};

// Asks for a show store and reads its distinct host names. A store or a
// tb_Layout that cannot be opened is not a show: an empty list, no message.
// A failure while reading shows "数据库操作异常!" and gives no names at all,
// never the part read before it.
HostNameList LoadHostNames(prompt::Prompt& prompt);

} // namespace hostlink
