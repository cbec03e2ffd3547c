#include "platform/Console.h"

#include <csignal>
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

void MakeStandardOutputBinary() {}

} // namespace platform
