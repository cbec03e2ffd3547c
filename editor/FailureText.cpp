#include "editor/FailureText.h"

#include "store/ComError.h"

namespace editor {

std::string FailureText(const ado::_com_error& error)
{
    return error.what();
}

} // namespace editor
