#pragma once

#include "editor/ShowContext.h"

#include <optional>
#include <string>

namespace editor {

// Asks the user for the host name to assign: the Assign Host dialog in the
// window, a script in tests. Nothing when the user cancels.
class HostNameAsker
{
public:
    virtual ~HostNameAsker() = default;
    virtual std::optional<std::string> AskHostName() = 0;
};

// Why a host name cannot be assigned (the message to show), or nullptr when
// it can: an empty name, or one with a control character (a line break, a
// tab, an escape sequence), which would break the load sheets and the
// terminals it is printed on. The window's dialog and the command line ask
// here before anything changes.
const char* AssignHostNameRefusal(const std::string& name);

// "Edit" > "Assign Host" and the popup's "Assigned Host": after a question
// (asked only when rows are selected) and the host name, every selected cue
// row shows that name in its "Host" column. The caption row is skipped and no
// other column changes; the store is written by Save only. A grid that
// refuses a call ends the command where it is.
void AssignHost(ShowContext& show, HostNameAsker& asker);

} // namespace editor
