#include "tests/support/TestChildCopy.h"

#include "platform/ExecutablePath.h"

#include <filesystem>
#include <fstream>

namespace testsupport {

std::string TestChildCopy(const TempDir& dir, const std::string& steps)
{
    static int made = 0;
    const std::string name = "child" + std::to_string(++made);
    const std::string program = dir.File(name + platform::kExecutableSuffix);
    std::filesystem::copy_file(
        std::string(TAVRIN_BIN_DIR) + "/tavrin-test-child" + platform::kExecutableSuffix, program);
    std::ofstream(dir.File(name + ".does"), std::ios::binary) << steps << "\n";
    return program;
}

} // namespace testsupport
