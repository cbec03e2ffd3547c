#include "platform/Console.h"

#include <csignal>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

Utf8Arguments::Utf8Arguments(int argc, char** argv) : texts_(argv, argv + argc)
{
    for (std::string& text : texts_)
        pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

void PrepareStandardStreams()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool StandardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool StandardOutputReaderGone()
{
    struct stat status
    {
    };
    if (::fstat(STDOUT_FILENO, &status) != 0 ||
        !(S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)))
        return false;
    // The writing end of a pipe with no reader left reports an error.
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) != 0;
}

void MakeStandardOutputBinary() {}

} // namespace platform
