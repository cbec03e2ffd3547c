#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;

namespace hostlink {

// One piece of work at a time on a thread of its own, for a window that must
// stay responsive while a host is being talked to. The work reaches the
// window only through Call and Post, which run on the window's thread.
//
// The window must never block waiting for the work while it could be waiting
// for the window (a message box on the window's thread): it waits by going on
// with its event loop until the `finished` callback, or, when it is going
// away, abandons the work first.
class WindowWorker
{
public:
    explicit WindowWorker(QObject& window);
    ~WindowWorker(); // abandons and joins a running piece of work
    WindowWorker(const WindowWorker&) = delete;
    WindowWorker& operator=(const WindowWorker&) = delete;

    // From the window's thread: runs `work` on the worker thread, then
    // `finished` on the window's thread. Nothing if work is running already.
    void Start(std::function<void()> work, std::function<void()> finished);
    bool IsRunning() const { return running_; }

    // From the work: runs `call` on the window's thread and waits for it.
    // False once the window abandoned the work: `call` may then run later or
    // never, so it must keep what it writes in storage of its own.
    bool Call(std::function<void()> call);
    // From the work: queues `call` for the window's thread, without waiting.
    void Post(std::function<void()> call);

    // From the window's thread, when it is going: waiting calls return at
    // once and later ones do nothing; then waits for the work to end. The
    // worker takes no further work after it.
    void AbandonAndJoin();

private:
    struct Shared
    {
        std::mutex mutex;
        std::condition_variable answered;
        bool abandoned = false;
    };

    QObject& window_;
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::thread thread_;
    bool running_ = false;
};

} // namespace hostlink
