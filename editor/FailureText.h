#pragma once

#include <string>

namespace ado {
class _com_error;
}

namespace editor {

// The part of a database failure that tells a user what went wrong: the
// provider's description, or the meaning of the code when there is none.
std::string FailureText(const ado::_com_error& error);

} // namespace editor
