#include "tests/cli/CliRun.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
    std::string path = "/tmp/tavrin-cli-" + std::string(kind) + "-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0)
        close(fd);
    return path;
}

} // namespace

std::string CliPath()
{
    return std::string(TAVRIN_BIN_DIR) + "/tavrin-cli";
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
    int pipeEnds[2] = {-1, -1};
    if (output == Output::kClosedPipe && pipe2(pipeEnds, O_CLOEXEC) == 0)
        close(pipeEnds[0]); // nobody will ever read
    const std::string outPath = TempFile("out");
    const std::string errPath = TempFile("err");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    CliResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = output == Output::kFullDisk     ? open("/dev/full", O_WRONLY)
                        : output == Output::kClosedPipe ? pipeEnds[1]
                                                        : open(outPath.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
        if (in < 0 || out < 0 || err < 0)
            _exit(127);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pipeEnds[1] >= 0)
        close(pipeEnds[1]);
    if (pid > 0) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        pid_t ended = 0;
        while ((ended = waitpid(pid, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (ended == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        } else if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            result.signal = WTERMSIG(status);
        }
    }
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}

} // namespace clitest
