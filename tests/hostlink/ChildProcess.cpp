#include "tests/hostlink/ChildProcess.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace hostlinktest {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : argvText)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess()
{
    Terminate();
    if (output_ >= 0)
        close(output_);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{output_, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char buffer[4096];
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0)
            return std::nullopt;
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout)
{
    if (exitCode_ || pid_ <= 0)
        return exitCode_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitCode_;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

void ChildProcess::Signal(int signal)
{
    if (pid_ > 0 && !exitCode_)
        kill(pid_, signal);
}

void ChildProcess::Terminate()
{
    if (pid_ <= 0 || exitCode_)
        return;
    kill(pid_, SIGTERM);
    if (!Wait(std::chrono::milliseconds(5000))) {
        kill(pid_, SIGKILL);
        Wait(std::chrono::milliseconds(5000));
    }
}

} // namespace hostlinktest
