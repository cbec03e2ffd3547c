// tavrin-test-child: a program for the tests of child processes, the same on
// every system. What it does is read from a file beside it: PROGRAM.does
// (PROGRAM without .exe), one step a line, in order:
//
//   write TEXT         TEXT on standard output (\n, \\ and \xNN escapes)
//   args               its arguments, joined by |
//   env NAME           the value of the environment variable NAME
//   stdin-bytes        how many bytes standard input held
//   close-output       closes standard output
//   sleep MS           waits MS milliseconds
//   spin               uses processor time, for ever
//   flood              writes lines, for ever
//   crash              crashes
//   linger PIDFILE     starts a copy of itself that sleeps a minute, writes
//                      its process number into PIDFILE, waits for it
//   catch-interrupt    writes "ready", waits for an interrupt, writes
//                      "interrupted"
//   lock PATH          takes the file lock on PATH, writes "locked" or
//                      "busy", then goes on
//   exit N             ends with exit code N (the end of the steps: 0)
//
// Started as `tavrin-test-child --sleep MS` it only sleeps.
#include "platform/ChildProcess.h"
#include "platform/Console.h"
#include "platform/ExecutablePath.h"
#include "platform/FileLock.h"
#include "platform/Interrupt.h"
#include "platform/Utf8Path.h"
#include "tests/support/SystemSpecifics.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else if (text[i + 1] == 'x' && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[++i];
        }
    }
    return out;
}

void Write(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The program's own path, without the .exe a Windows one has.
std::string Stem(const std::string& program)
{
    const std::string suffix = platform::kExecutableSuffix;
    if (!suffix.empty() && program.size() > suffix.size() &&
        program.compare(program.size() - suffix.size(), suffix.size(), suffix) == 0)
        return program.substr(0, program.size() - suffix.size());
    return program;
}

void Linger(const std::string& program, const std::string& pidFile)
{
    platform::ChildOptions options;
    options.arguments = {"--sleep", "60000"};
    options.output = platform::ChildStream::kDiscard;
    try {
        platform::ChildProcess sleeper(program, options);
        std::ofstream(platform::PathFromUtf8(pidFile)) << sleeper.Id() << "\n";
        sleeper.WaitUntil(std::chrono::steady_clock::time_point::max());
    } catch (const platform::ProcessFailure& failure) {
        std::ofstream(platform::PathFromUtf8(pidFile)) << "not started: " << failure.what() << "\n";
    }
}

} // namespace

int main(int nativeArgc, char** nativeArgv)
{
    platform::Utf8Arguments commandLine(nativeArgc, nativeArgv);
    const std::vector<std::string> args(commandLine.argv(),
                                        commandLine.argv() + commandLine.argc());
    if (args.size() == 3 && args[1] == "--sleep") {
        Sleep(std::stoi(args[2]));
        return 0;
    }
    platform::MakeStandardOutputBinary();
    std::ifstream steps(platform::PathFromUtf8(Stem(args[0]) + ".does"));
    std::unique_ptr<platform::InterruptCatch> interrupts;
    std::vector<std::unique_ptr<platform::FileLock>> locks;
    std::string line;
    while (std::getline(steps, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t space = line.find(' ');
        const std::string step = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (step == "write") {
            Write(Unescaped(rest));
        } else if (step == "args") {
            std::string joined;
            for (std::size_t i = 1; i < args.size(); ++i)
                joined += (i > 1 ? "|" : "") + args[i];
            Write(joined);
        } else if (step == "env") {
            const char* value = std::getenv(rest.c_str());
            Write(value ? value : "");
        } else if (step == "stdin-bytes") {
            std::size_t count = 0;
            while (std::fgetc(stdin) != EOF)
                ++count;
            Write(std::to_string(count));
        } else if (step == "close-output") {
            std::fclose(stdout);
        } else if (step == "sleep") {
            Sleep(std::stoi(rest));
        } else if (step == "spin") {
            static std::atomic<unsigned long> turns{0};
            for (;;)
                turns.fetch_add(1, std::memory_order_relaxed);
        } else if (step == "flood") {
            for (;;)
                Write("y\n");
        } else if (step == "crash") {
            testsupport::Crash();
        } else if (step == "linger") {
            Linger(args[0], rest);
        } else if (step == "catch-interrupt") {
            interrupts = std::make_unique<platform::InterruptCatch>();
            Write("ready\n");
            platform::InterruptCatch::WaitForRequest();
            Write("interrupted\n");
        } else if (step == "lock") {
            locks.push_back(std::make_unique<platform::FileLock>(rest));
            Write(locks.back()->outcome() == platform::FileLock::Outcome::kHeld ? "locked\n"
                                                                                : "busy\n");
        } else if (step == "exit") {
            return std::stoi(rest);
        }
    }
    return 0;
}
