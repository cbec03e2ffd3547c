#include "bench/CliRun.h"

#include "bench/BenchSupport.h"
#include "bench/TreeMemory.h"
#include "platform/ChildProcess.h"
#include "platform/ExecutablePath.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <stdexcept>

namespace bench {

CliRun RunTavrinCli(const std::vector<std::string>& arguments)
{
    platform::ChildOptions options;
    options.arguments = arguments;
    options.output = platform::ChildStream::kDiscard;
    options.errors = platform::ChildStream::kInherit;
    const auto start = std::chrono::steady_clock::now();
    platform::ChildProcess cli(platform::ExecutableFolder() + "/tavrin-cli", options);
    TreeMemoryPeak tree(cli.Id());
    const std::optional<platform::ChildEnd> end = cli.WaitUntil(start + std::chrono::seconds(60));
    const CliRun run{Seconds(start), tree.StopMB()};
    if (!end || end->kind != platform::ChildEnd::kExited || end->code != 0)
        throw std::runtime_error("tavrin-cli " + (arguments.empty() ? "" : arguments.front()) +
                                 " did not end with exit 0");
    return run;
}

double Median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

} // namespace bench
