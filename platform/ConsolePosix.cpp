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

void MakeStandardOutputBinary() {}

int TakeBinaryStandardOutput()
{
    const int answer = ::dup(STDOUT_FILENO);
    if (answer < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return -1;
    return answer;
}

} // namespace platform
