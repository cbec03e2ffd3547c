#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QCoreApplication>
#include <QThread>

namespace dialogtest {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

void WindowThreadPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon)
{
    NoteThread();
    if (onMessage)
        onMessage();
    FakePrompt::ShowMessage(text, icon);
}

std::optional<std::string> WindowThreadPrompt::ChooseOpenFile(const prompt::FileChoice& choice)
{
    NoteThread();
    return FakePrompt::ChooseOpenFile(choice);
}

void WindowThreadPrompt::NoteThread()
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        ++callsOffWindowThread;
}

} // namespace dialogtest
