#include "tests/support/AsUnprivilegedUser.h"

namespace testsupport {

// Windows has no root to step down from: the body runs as the user the
// tests run as (a case that finds it may write a read-only file skips).
void AsUnprivilegedUser(const TempDir& /*dir*/, const std::function<void()>& body)
{
    body();
}

} // namespace testsupport
