#include "tests/cli/CliRun.h"

#include "platform/ChildProcess.h"
#include "platform/Console.h"
#include "platform/ExecutablePath.h"
#include "platform/NewFile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace clitest {

namespace {

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempFile(const char* kind)
{
    static std::atomic<int> made{0};
    return (std::filesystem::temp_directory_path() /
            ("tavrin-cli-" + std::string(kind) + "-" +
             std::to_string(platform::CurrentProcessId()) + "-" + std::to_string(++made)))
        .string();
}

// The text with the standard streams' line ends (\r\n on Windows) as \n.
std::string WithPlainLineEnds(std::string text)
{
    const std::string end = platform::kLineEnd;
    if (end == "\n")
        return text;
    for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, at + 1))
        text.replace(at, end.size(), "\n");
    return text;
}

} // namespace

std::string CliPath()
{
    return std::string(TAVRIN_BIN_DIR) + "/tavrin-cli" + platform::kExecutableSuffix;
}

std::optional<std::string> CliBesideStandInReader(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    const std::string reader = std::string("tavrin-mdb-reader") + platform::kExecutableSuffix;
    const fs::path standIn = fs::path(TAVRIN_BIN_DIR) / "access-stand-in" / reader;
    if (!fs::exists(standIn))
        return std::nullopt;
    fs::create_directories(folder / "bin");
    const fs::path program = folder / "bin" / fs::path(CliPath()).filename();
    fs::copy_file(CliPath(), program);
    fs::copy_file(standIn, folder / "bin" / reader);
    // A build whose programs share their libraries (Qt's, the compiler's
    // runtime on Windows) has them beside each program: the copy takes them too.
    for (const fs::directory_entry& entry : fs::directory_iterator(TAVRIN_BIN_DIR))
        if (entry.is_regular_file() && entry.path().extension() == ".dll")
            fs::copy_file(entry.path(), folder / "bin" / entry.path().filename());
    return program.string();
}

CliResult RunCli(const std::vector<std::string>& args, std::chrono::milliseconds timeout)
{
    return RunProgram(CliPath(), args, timeout);
}

CliResult RunCliInto(Output out, const std::vector<std::string>& args)
{
    return RunProgram(CliPath(), args, std::chrono::seconds(30), out);
}

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout, Output output)
{
    const std::string outPath = TempFile("out");
    const std::string errPath = TempFile("err");
    platform::ChildOptions options;
    options.arguments = args;
    options.output = output == Output::kClosedPipe ? platform::ChildStream::kClosedPipe
                                                   : platform::ChildStream::kFile;
    options.outputFile = output == Output::kFullDisk ? "/dev/full" : outPath;
    options.errors = platform::ChildStream::kFile;
    options.errorFile = errPath;

    CliResult result;
    try {
        platform::ChildProcess child(program, options);
        std::optional<platform::ChildEnd> end =
            child.WaitUntil(std::chrono::steady_clock::now() + timeout);
        if (!end) {
            child.Kill();
            child.WaitUntil(std::chrono::steady_clock::time_point::max());
        } else if (end->kind == platform::ChildEnd::kExited) {
            result.exitCode = static_cast<int>(end->code);
        } else {
            result.signal = static_cast<int>(end->code);
        }
    } catch (const platform::ProcessFailure& failure) {
        result.err = failure.what();
        return result;
    }
    result.rawOut = ReadWhole(outPath);
    result.out = WithPlainLineEnds(result.rawOut);
    result.err = WithPlainLineEnds(ReadWhole(errPath));
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}

} // namespace clitest
