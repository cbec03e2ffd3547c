#pragma once

#include "show/Failure.h"

#include <functional>
#include <optional>
#include <string>

namespace testsupport {

// The show::Failure that `work` raises; when it raises none, a test failure
// saying `unexpected`, and nothing.
std::optional<show::Failure> RaisedFailure(const std::function<void()>& work,
                                           const std::string& unexpected);

} // namespace testsupport
