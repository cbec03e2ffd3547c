#include "hostlink/ui/ConversationWorker.h"

#include <QMetaObject>
#include <QObject>

namespace hostlink {

ConversationWorker::ConversationWorker(QObject& window) : window_(window) {}

ConversationWorker::~ConversationWorker()
{
    StopAndJoin();
}

void ConversationWorker::Start(std::function<void(std::stop_token)> work,
                               std::function<void()> finished)
{
    if (running_ || shared_->abandoned)
        return;
    running_ = true;
    thread_ = std::jthread(
        [this, work = std::move(work), finished = std::move(finished)](std::stop_token stop) {
            work(std::move(stop));
            Post([this, finished] {
                thread_.join(); // it has nothing left to do
                finished();
                running_ = false;
            });
        });
}

void ConversationWorker::Post(std::function<void()> call)
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

void ConversationWorker::StopAndJoin()
{
    shared_->abandoned = true;
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    running_ = false;
}

} // namespace hostlink
