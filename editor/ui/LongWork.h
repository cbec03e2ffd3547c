#pragma once

#include "editor/BackgroundCommand.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace editor {

// The window's long commands (the FireOne import, Open, Save, the show
// check): each runs as a BackgroundCommand while the window waits for it.
// Once one stretch of a command's work (from its start, or from its last
// question to the user) outlasts the threshold, a modal progress dialog says
// what it does and how far it got, keeps the window painted and offers
// Cancel; a command done sooner shows nothing.
class LongWork
{
public:
    LongWork(QWidget& window, prompt::Prompt& user);
    ~LongWork(); // waits for cancelled commands that are still ending
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // Tests: a threshold, or a clock, of their own.
    void SetTiming(std::chrono::milliseconds threshold, BackgroundCommand::Clock clock);

    // Runs `work`, the dialog saying `doing`; `handBack` runs on the window's
    // thread before each question (false) and once the work ended (true),
    // even when it raised a failure. False when the user cancelled: the work
    // then writes nothing, the window has not been handed anything, and it
    // goes on at once, without waiting for the work's end. Raises what the
    // work raised.
    bool Run(const char* doing, BackgroundCommand::Work work,
             const std::function<void(bool ended)>& handBack);
    bool Busy() const { return busy_; }

private:
    // Until the command has news for the window; false when cancelled.
    bool ShowProgress(BackgroundCommand& command, const char* doing);

    QWidget& window_;
    prompt::Prompt& user_;
    std::chrono::milliseconds threshold_{500};
    BackgroundCommand::Clock clock_ = [] { return std::chrono::steady_clock::now(); };
    bool busy_ = false;
    std::vector<std::unique_ptr<BackgroundCommand>> ending_; // cancelled, maybe still running
};

} // namespace editor
