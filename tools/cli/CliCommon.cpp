#include "tools/cli/CliCommon.h"

#include "messages/ErrorRecord.h"
#include "show/ControlCharacters.h"

#include <cstdio>

namespace cli {

bool& VerboseOutput()
{
    static bool verbose = false;
    return verbose;
}

void PrintError(const std::string& text)
{
    std::fputs(show::EscapeControlCharacters(text, "\n\t").c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void PrintFailure(const show::Failure& failure, messages::Doing doing)
{
    const messages::Message message = messages::FailureMessage(failure, doing);
    PrintError(messages::Condensed(
        messages::ForReader(message.text, message.details,
                            messages::FailureHeadline(messages::SaidAs(failure, doing))),
        VerboseOutput()));
}

} // namespace cli
