#pragma once

#include "editor/WatchedProgress.h"
#include "prompt/Prompt.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace editor {

// One command run on a thread of its own while the thread that started it
// (the window's) waits for it. Every question the command puts to the user
// is asked on the starting thread, one at a time and in the command's order,
// while the command waits for the answer: the user meets the same questions
// and messages as when the command ran on the window's thread itself.
// The command owns what it works on (captured in `work`): once cancelled it
// may still be ending while the window goes on without it.
class BackgroundCommand
{
public:
    using Work = std::function<void(prompt::Prompt& user, show::WorkProgress& progress)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    enum class News
    {
        kNone,     // still working
        kQuestion, // waiting for the user's answer: AskPending
        kFinished,
    };

    // Starts `work`; its questions go to `user`, on the starting thread.
    BackgroundCommand(prompt::Prompt& user, Work work);
    // Stops a command still running, as Cancel does, and waits for its thread.
    ~BackgroundCommand();
    BackgroundCommand(const BackgroundCommand&) = delete;
    BackgroundCommand& operator=(const BackgroundCommand&) = delete;

    // On the starting thread: waits until the command asks or ends, or until
    // `deadline` by `clock` has passed (kNone).
    News WaitUntil(std::chrono::steady_clock::time_point deadline, const Clock& clock);
    News Pending();
    // On the starting thread, after kQuestion: asks the user and hands the
    // answer to the command.
    void AskPending();
    // Asks the command to stop. True when it ends without writing anything:
    // from now on its questions are answered without the user (nothing
    // shown, No, Cancel, no file) and nobody need wait for it. False once it
    // has begun to commit: it ends as it would have.
    bool Cancel();
    // After kFinished: raises what the command raised, a stop apart.
    void RethrowFailure();
    const WatchedProgress& Progress() const { return progress_; }

private:
    class ForwardingPrompt;
    using Question = std::function<void(prompt::Prompt&)>;
    // On the command's thread: waits until `question` has been asked.
    void Forward(const Question& question, const std::stop_token& stop);

    prompt::Prompt& user_;
    WatchedProgress progress_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    const Question* question_ = nullptr; // the command waits for its answer
    bool finished_ = false;
    bool abandoned_ = false; // cancelled: nothing more reaches the user
    std::exception_ptr failure_;
    std::jthread thread_; // last: it starts once everything above exists
};

} // namespace editor
