#include "tests/hostlink/ui/DialogTestSupport.h"

#include "qtcommon/DialogUnits.h"
#include "show/HostStates.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QThread>
#include <algorithm>
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

void ExpectRecordedAsBegunThenCompleted(const std::string& store,
                                        const std::function<bool()>& ended, std::size_t records)
{
    std::string key;
    ASSERT_TRUE(WaitUntil([&] {
        for (const store::HostRecord& record : show::ReadHostRecords(store))
            if (!record.Ended())
                key = record.Conversation;
        return !key.empty();
    }));
    EXPECT_FALSE(ended()) << "its record was begun while it ran";
    ASSERT_TRUE(WaitUntil(ended));
    const std::vector<store::HostRecord> after = show::ReadHostRecords(store);
    EXPECT_EQ(after.size(), records);
    for (const store::HostRecord& record : after)
        EXPECT_TRUE(record.Completed()) << record.HostCode << " " << record.Sent;
    EXPECT_TRUE(std::any_of(after.begin(), after.end(),
                            [&key](const store::HostRecord& r) { return r.Conversation == key; }));
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

void ExpectOpensAtDrawnSize(QWidget& dialog, QSize drawnUnits)
{
    const QSize drawn = qtcommon::DialogUnitsToPixels(dialog.font(), drawnUnits);
    EXPECT_GE(dialog.width(), drawn.width());
    EXPECT_GE(dialog.height(), drawn.height());
    ExpectTextsFit(dialog);
}

void ExpectShownTexts(const QWidget& dialog,
                      std::initializer_list<std::pair<const char*, const char*>> texts)
{
    for (const auto& [name, text] : texts) {
        SCOPED_TRACE(name);
        const QWidget& widget = Child<QWidget>(dialog, name);
        if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
            EXPECT_EQ(Utf8(group->title()), text);
        else if (const auto* label = qobject_cast<const QLabel*>(&widget))
            EXPECT_EQ(Utf8(label->text()), text);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
            EXPECT_EQ(Utf8(button->text()), text);
        else
            ADD_FAILURE() << "no text shown";
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
