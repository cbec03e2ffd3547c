#include "tools/cli/JsonOutput.h"

#include "tools/cli/CliCommon.h"

#include <iostream>

namespace cli {

int WriteJsonResult(const nlohmann::ordered_json& json)
{
    std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return OutputResult();
}

int OutputResult()
{
    return std::cout.flush() ? kSuccess : kFailure;
}

} // namespace cli
