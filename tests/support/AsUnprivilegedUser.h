#pragma once

#include "tests/support/TempDir.h"

#include <functional>

namespace testsupport {

// Runs `body` as the user "nobody" where this process is root, and as itself
// elsewhere: root may write any file, so a case about files one may not write
// means nothing as root. As root the body runs in a child process that may
// work in `dir`; its failures are printed there and fail the calling test
// here. Skips the test where no unprivileged user can be had.
void AsUnprivilegedUser(const TempDir& dir, const std::function<void()>& body);

} // namespace testsupport
