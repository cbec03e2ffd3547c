#include "editor/BackgroundCommand.h"

namespace editor {

namespace {

// How often a wait looks at its clock: a test's clock moves by itself.
constexpr std::chrono::milliseconds kPoll{10};

} // namespace

// The prompt the command sees: each call waits until the starting thread has
// asked the user; once the command is cancelled, none is asked.
class BackgroundCommand::ForwardingPrompt final : public prompt::Prompt
{
public:
    ForwardingPrompt(BackgroundCommand& command, std::stop_token stop)
        : command_(command), stop_(std::move(stop))
    {
    }

    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override
    {
        ShowMessage(text, icon, {});
    }
    void ShowMessage(const std::string& text, prompt::MessageIcon icon,
                     const std::string& details) override
    {
        Ask(false, [&](prompt::Prompt& user) {
            user.ShowMessage(text, icon, details);
            return true;
        });
    }
    bool AskYesNo(const std::string& text) override
    {
        return Ask(false, [&](prompt::Prompt& user) { return user.AskYesNo(text); });
    }
    prompt::Answer AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons) override
    {
        return Ask(prompt::Answer::Cancel,
                   [&](prompt::Prompt& user) { return user.AskYesNoCancel(text, buttons); });
    }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override
    {
        return Ask(std::optional<std::string>(),
                   [&](prompt::Prompt& user) { return user.ChooseOpenFile(choice); });
    }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override
    {
        return Ask(std::optional<std::string>(),
                   [&](prompt::Prompt& user) { return user.ChooseSaveFile(choice); });
    }

private:
    template <typename Answer, typename Asking> Answer Ask(Answer unanswered, const Asking& asking)
    {
        Answer answer = std::move(unanswered);
        command_.Forward([&](prompt::Prompt& user) { answer = asking(user); }, stop_);
        return answer;
    }

    BackgroundCommand& command_;
    std::stop_token stop_;
};

BackgroundCommand::BackgroundCommand(prompt::Prompt& user, Work work)
    : user_(user), thread_([this, work = std::move(work)](std::stop_token stop) {
          ForwardingPrompt prompt(*this, std::move(stop));
          std::exception_ptr failure;
          try {
              work(prompt, progress_);
          } catch (const show::Cancelled&) {
              // a stop the user asked for: nothing to report
          } catch (...) {
              failure = std::current_exception();
          }
          const std::lock_guard lock(mutex_);
          failure_ = failure;
          finished_ = true;
          changed_.notify_all();
      })
{
}

BackgroundCommand::~BackgroundCommand()
{
    Cancel();
    {
        const std::lock_guard lock(mutex_);
        abandoned_ = true; // also when it was committing: no one is left to ask
    }
    changed_.notify_all();
    // The jthread asks its stop and joins.
}

BackgroundCommand::News BackgroundCommand::WaitUntil(std::chrono::steady_clock::time_point deadline,
                                                     const Clock& clock)
{
    std::unique_lock lock(mutex_);
    while (!question_ && !finished_ && clock() < deadline)
        changed_.wait_for(lock, kPoll, [this] { return question_ || finished_; });
    return question_ ? News::kQuestion : finished_ ? News::kFinished : News::kNone;
}

BackgroundCommand::News BackgroundCommand::Pending()
{
    const std::lock_guard lock(mutex_);
    return question_ ? News::kQuestion : finished_ ? News::kFinished : News::kNone;
}

void BackgroundCommand::AskPending()
{
    const Question* question = nullptr;
    {
        const std::lock_guard lock(mutex_);
        question = question_;
    }
    if (!question)
        return;
    // The command waits meanwhile: the question, on its stack, stays.
    (*question)(user_);
    {
        const std::lock_guard lock(mutex_);
        question_ = nullptr;
    }
    changed_.notify_all();
}

bool BackgroundCommand::Cancel()
{
    if (!progress_.RequestStop())
        return false;
    {
        const std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    changed_.notify_all();
    return true;
}

void BackgroundCommand::RethrowFailure()
{
    const std::lock_guard lock(mutex_);
    if (failure_)
        std::rethrow_exception(failure_);
}

void BackgroundCommand::Forward(const Question& question, const std::stop_token& stop)
{
    std::unique_lock lock(mutex_);
    if (abandoned_)
        return;
    question_ = &question;
    changed_.notify_all();
    changed_.wait(lock, stop, [this] { return !question_ || abandoned_; });
    question_ = nullptr;
}

} // namespace editor
