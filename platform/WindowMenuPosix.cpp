#include "platform/WindowMenu.h"

namespace platform {

void AddSystemMenuItem(std::uintptr_t /*window*/, unsigned /*command*/,
                       const std::string& /*caption*/)
{
}

bool IsSystemMenuCommand(const void* /*message*/, unsigned /*command*/)
{
    return false;
}

} // namespace platform
