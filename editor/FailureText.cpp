#include "FailureText.h"

#include "ComError.h"

namespace editor {

std::string FailureText(const ado::_com_error& error)
{
    if (!error.Description().empty())
        return error.Description();
    std::string meaning = error.ErrorMessage();
    while (!meaning.empty() && (meaning.back() == '\n' || meaning.back() == '\r'))
        meaning.pop_back();
    return meaning;
}

} // namespace editor
