#pragma once

#include <QApplication>
#include <functional>

namespace prompt {
class Prompt;
}

// The program: starts the platform services, runs the main window until it
// closes, and ends with it. A show store named on the command line is opened
// at start-up as "Corvane Database" would open it.
class CConverterApp : public QApplication
{
    Q_OBJECT

public:
    CConverterApp(int& argc, char** argv);
    ~CConverterApp() override;

    // Start-up and the main window's whole life; the process's exit code.
    int InitInstance();

    // For tests: how the sockets start, and who talks to the user.
    void SetSocketStartup(std::function<bool()> startSockets);
    void SetPrompt(prompt::Prompt* prompt) { prompt_ = prompt; }

private:
    std::function<bool()> startSockets_;
    prompt::Prompt* prompt_ = nullptr;
};
