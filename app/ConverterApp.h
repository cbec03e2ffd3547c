#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace prompt {
class Prompt;
}

// The program: starts the platform services, runs the main window until it
// closes, and ends with it. A show store named on the command line is opened
// at start-up as "Corvane Database" would open it; with --rehearse the
// window starts in its rehearsal.
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

    // The command line: `tavrin [--rehearse] [STORE]`, in either order.
    static constexpr char kRehearseOption[] = "--rehearse";
    struct StartArguments
    {
        bool rehearse = false;
        std::optional<QString> store;
    };
    static StartArguments ReadStartArguments(const QStringList& arguments);

private:
    std::function<bool()> startSockets_;
    prompt::Prompt* prompt_ = nullptr;
};
