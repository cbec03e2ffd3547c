#include "hostlink/ui/WindowWorker.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace hostlink {

WindowWorker::WindowWorker(QObject& window) : window_(window) {}

WindowWorker::~WindowWorker()
{
    AbandonAndJoin();
}

void WindowWorker::Start(std::function<void()> work, std::function<void()> finished)
{
    if (running_ || shared_->abandoned)
        return;
    running_ = true;
    thread_ = std::thread([this, work = std::move(work), finished = std::move(finished)] {
        work();
        // Runs on the window's thread; dropped if the window is gone by then.
        Post([this, finished] {
            if (thread_.joinable())
                thread_.join();
            running_ = false;
            finished();
        });
    });
}

bool WindowWorker::Call(std::function<void()> call)
{
    if (QThread::currentThread() == window_.thread()) {
        call();
        return true;
    }
    struct Pending
    {
        bool done = false;
    };
    auto pending = std::make_shared<Pending>();
    const std::shared_ptr<Shared> shared = shared_;
    // Abandoning happens on the window's thread too, so the check and the
    // call cannot interleave with it.
    QMetaObject::invokeMethod(
        &window_,
        [shared, pending, call = std::move(call)] {
            if (!shared->abandoned)
                call();
            const std::lock_guard lock(shared->mutex);
            pending->done = true;
            shared->answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared->mutex);
    shared->answered.wait(lock, [&] { return pending->done || shared->abandoned; });
    return pending->done && !shared->abandoned;
}

void WindowWorker::Post(std::function<void()> call)
{
    const std::shared_ptr<Shared> shared = shared_;
    QMetaObject::invokeMethod(
        &window_,
        [shared, call = std::move(call)] {
            if (!shared->abandoned)
                call();
        },
        Qt::QueuedConnection);
}

void WindowWorker::AbandonAndJoin()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->abandoned = true;
    }
    shared_->answered.notify_all();
    thread_.join();
    running_ = false;
}

} // namespace hostlink
