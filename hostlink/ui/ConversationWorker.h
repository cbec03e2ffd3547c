#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <thread>
#include <type_traits>
#include <utility>

class QObject;

namespace hostlink {

// The one way the host dialogs talk to hosts off the window's thread. A
// dialog asks all its questions first, on the window's thread; then it hands
// the worker a conversation made of plain inputs, which runs on a thread of
// its own and whose result comes back on the window's thread. A conversation
// reaches the window only through Post, never waiting for it, so stopping
// and joining one never waits for the window either.
class ConversationWorker
{
public:
    explicit ConversationWorker(QObject& window);
    ~ConversationWorker(); // stops and joins a running conversation
    ConversationWorker(const ConversationWorker&) = delete;
    ConversationWorker& operator=(const ConversationWorker&) = delete;

    // From the window's thread: `conversation(stop)` on the worker's thread,
    // then `finished(result)` on the window's thread. Nothing while one runs.
    template <typename Conversation, typename Finished>
    void Run(Conversation conversation, Finished finished)
    {
        using Result = std::invoke_result_t<Conversation&, std::stop_token>;
        auto result = std::make_shared<std::optional<Result>>();
        Start(
            [conversation = std::move(conversation), result](std::stop_token stop) mutable {
                result->emplace(conversation(std::move(stop)));
            },
            [finished = std::move(finished), result]() mutable { finished(std::move(**result)); });
    }
    bool IsRunning() const { return running_; }

    // Asks the running conversation to end; a wait on a host ends at once.
    void RequestStop() { thread_.request_stop(); }
    // From any thread: `call` runs on the window's thread, after whatever
    // was posted before it; never once the window has stopped the worker.
    void Post(std::function<void()> call);
    // From the window's thread, when it is going: stops the conversation,
    // drops whatever it posted and waits for its thread. No conversation
    // starts after it.
    void StopAndJoin();

private:
    struct Shared
    {
        bool abandoned = false; // read and written on the window's thread only
    };

    void Start(std::function<void(std::stop_token)> work, std::function<void()> finished);

    QObject& window_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::jthread thread_;
    bool running_ = false;
};

} // namespace hostlink
