#pragma once

#include "tests/support/TempDir.h"

#include <string>

namespace testsupport {

// A copy of tavrin-test-child in `dir` that takes the given steps (see
// TestChild.cpp), under a name of its own; its path.
std::string TestChildCopy(const TempDir& dir, const std::string& steps);

} // namespace testsupport
