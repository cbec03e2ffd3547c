#pragma once

// The identity of an open file (Windows sources only).
#include "platform/FileIdentity.h"

namespace platform::windows {

std::optional<FileIdentity> IdentityOfHandle(void* handle);

} // namespace platform::windows
