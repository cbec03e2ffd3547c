#include "tests/hostlink/ui/DialogTestSupport.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QThread>
#include <gtest/gtest.h>

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

void ExpectTextsFit(QWidget& dialog)
{
    dialog.show();
    QCoreApplication::processEvents();
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool showsText = qobject_cast<QAbstractButton*>(widget) ||
                               qobject_cast<QGroupBox*>(widget) ||
                               (label && !label->text().isEmpty());
        if (!showsText || !widget->isVisible())
            continue;
        SCOPED_TRACE(widget->objectName().toStdString());
        const QSize needed = widget->minimumSizeHint();
        EXPECT_GE(widget->width(), needed.width());
        EXPECT_GE(widget->height(), needed.height());
        const QRect inDialog(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(dialog.rect().contains(inDialog));
    }
}

void WindowThreadPrompt::ShowMessage(const std::string& text, prompt::MessageIcon icon)
{
    NoteThread();
    asked.push_back("message " + text);
    if (onMessage)
        onMessage();
    FakePrompt::ShowMessage(text, icon);
}

std::optional<std::string> WindowThreadPrompt::ChooseOpenFile(const prompt::FileChoice& choice)
{
    NoteThread();
    asked.push_back("chooser at " + choice.initialPath);
    return FakePrompt::ChooseOpenFile(choice);
}

void WindowThreadPrompt::NoteThread()
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        ++callsOffWindowThread;
}

} // namespace dialogtest
