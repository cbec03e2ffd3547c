#include "platform/ForkedWork.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

bool RunForked(const std::function<int()>& work)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 1;
        try {
            code = work();
        } catch (...) { // the work's own failure, said by the work
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace platform
