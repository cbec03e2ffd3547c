#include "hostlink/RehearsalHosts.h"

#include "hostlink/Rehearsal.h"
#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace hostlink {

namespace {

using Clock = std::chrono::steady_clock;
// How long a virtual host may take to say that it listens.
constexpr std::chrono::seconds kListenWait{10};
// The exit code of tavrin-virtual-host for a host that cannot start: on
// 127.0.0.1, its port is taken.
constexpr long kCannotStart = 1;

std::string ReadWhole(const std::string& path)
{
    std::string text;
    if (std::FILE* file = platform::OpenFile(path, "rb")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

// The complete lines of `text`, line ends of either system taken off.
std::vector<std::string> CompleteLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string NewFolder()
{
    std::random_device random;
    char name[64];
    std::snprintf(name, sizeof name, "tavrin-rehearsal-%08x%08x", static_cast<unsigned>(random()),
                  static_cast<unsigned>(random()));
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error) / name;
    std::filesystem::create_directories(folder, error);
    return platform::Utf8FromPath(folder);
}

} // namespace

std::vector<std::string> VirtualHostCommandLine(int hostCode, const VirtualHostFault& fault)
{
    std::vector<std::string> line = {"--address", kRehearsalAddress, "--port",
                                     std::to_string(RehearsalPort(hostCode)), "--hex"};
    const std::string k = std::to_string(fault.frame);
    switch (fault.kind) {
    case VirtualHostFault::kNone:
        break;
    case VirtualHostFault::kRefuseCue:
        line.insert(line.end(), {"--refuse-cue", k});
        break;
    case VirtualHostFault::kSilentFrom:
        line.insert(line.end(), {"--silent-from", k});
        break;
    case VirtualHostFault::kLate:
        line.insert(line.end(), {"--late-frame", k + ':' + std::to_string(fault.lateMs)});
        break;
    }
    return line;
}

RehearsalHosts::RehearsalHosts(std::string program)
    : program_(std::move(program)), folder_(NewFolder())
{
}

RehearsalHosts::~RehearsalHosts()
{
    StopAll();
    std::error_code error;
    std::filesystem::remove_all(platform::PathFromUtf8(folder_), error);
}

std::string RehearsalHosts::BesideThisProgram()
{
    return platform::ExecutableFolder() + "/tavrin-virtual-host" + platform::kExecutableSuffix;
}

std::string RehearsalHosts::OutputFile(int hostCode) const
{
    return folder_ + "/host-" + std::to_string(hostCode) + ".jsonl";
}

VirtualHostStart RehearsalHosts::Start(int hostCode, const VirtualHostFault& fault)
{
    hosts_.erase(hostCode); // its port free again before the new one binds it
    platform::ChildOptions options;
    options.arguments = VirtualHostCommandLine(hostCode, fault);
    options.output = platform::ChildStream::kFile;
    options.outputFile = OutputFile(hostCode);
    options.errors = platform::ChildStream::kWithOutput;
    std::unique_ptr<platform::ChildProcess> child;
    try {
        child = std::make_unique<platform::ChildProcess>(program_, options);
    } catch (const platform::ProcessFailure& failure) {
        return {VirtualHostStart::kNotStarted, failure.what()};
    }
    const auto deadline = Clock::now() + kListenWait;
    for (;;) {
        const std::vector<std::string> lines = CompleteLines(ReadWhole(options.outputFile));
        if (!lines.empty() && lines.front().find("\"listening\"") != std::string::npos) {
            hosts_[hostCode] = std::move(child);
            return {VirtualHostStart::kListening, {}};
        }
        const auto end = child->WaitUntil(Clock::now() + std::chrono::milliseconds(20));
        if (end || Clock::now() > deadline) {
            std::string said = ReadWhole(options.outputFile);
            while (!said.empty() && (said.back() == '\n' || said.back() == '\r'))
                said.pop_back();
            const bool taken =
                end && end->kind == platform::ChildEnd::kExited && end->code == kCannotStart;
            return {taken ? VirtualHostStart::kPortTaken : VirtualHostStart::kNotStarted, said};
        }
    }
}

void RehearsalHosts::StopAll()
{
    hosts_.clear(); // each child is killed and waited for as it goes
}

std::vector<int> RehearsalHosts::Running()
{
    std::vector<int> codes;
    for (auto& [code, child] : hosts_)
        if (!child->WaitUntil(Clock::now()))
            codes.push_back(code);
    return codes;
}

std::vector<std::string> RehearsalHosts::Lines(int hostCode) const
{
    return CompleteLines(ReadWhole(OutputFile(hostCode)));
}

} // namespace hostlink
