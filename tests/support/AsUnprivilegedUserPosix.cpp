#include "tests/support/AsUnprivilegedUser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {

// The child's exit statuses besides 0 (passed) and 1 (failed).
constexpr int kSkipped = 77;
constexpr int kCannotDropRoot = 78;

[[noreturn]] void CannotRunAsNobody(const std::string& why)
{
    std::fprintf(stderr, "cannot run the case as nobody: %s\n", why.c_str());
    std::fflush(stderr);
    ::_exit(kCannotDropRoot);
}

[[noreturn]] void RunBodyAsNobody(uid_t uid, gid_t gid, const std::filesystem::path& dir,
                                  const std::function<void()>& body)
{
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
        CannotRunAsNobody(std::strerror(errno));
    if (::access(dir.c_str(), R_OK | W_OK | X_OK) != 0)
        CannotRunAsNobody(dir.string() + " cannot be reached (" + std::strerror(errno) + ")");
    body();
    std::fflush(nullptr);
    // _exit: the parent's test and its clean-up go on there, not here.
    ::_exit(::testing::Test::HasFailure() ? 1 : ::testing::Test::IsSkipped() ? kSkipped : 0);
}

} // namespace

void AsUnprivilegedUser(const TempDir& dir, const std::function<void()>& body)
{
    if (::geteuid() != 0) {
        body();
        return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody)
        GTEST_SKIP() << "root, and there is no user \"nobody\" to run this case as";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);

    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        GTEST_SKIP() << "root, and no process can be started to run this case as nobody";
    if (pid == 0)
        RunBodyAsNobody(uid, gid, dir.path(), body);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        FAIL() << "the case run as nobody ended by signal " << WTERMSIG(status);
    switch (WEXITSTATUS(status)) {
    case 0:
        return;
    case kSkipped:
        GTEST_SKIP() << "the case run as nobody skipped";
    case kCannotDropRoot:
        GTEST_SKIP() << "root, and the case cannot run as nobody here (see above)";
    default:
        FAIL() << "the case run as nobody failed (its failures are printed above)";
    }
}

} // namespace testsupport
