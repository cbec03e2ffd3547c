#pragma once

#include "tests/support/FakePrompt.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dialogtest {

using namespace std::chrono_literals;

// A widget's text as the prompt and the store hold it.
inline std::string Utf8(const QString& text)
{
    return text.toStdString();
}

// Runs the event loop until `done` holds; false when `timeout` ran out first.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);

// A scripted prompt that also notes whether every call came on the window's
// thread, and can check the dialog while a message is up.
class WindowThreadPrompt : public testsupport::FakePrompt
{
public:
    int callsOffWindowThread = 0;
    std::function<void()> onMessage; // runs while the message is "shown"
    // Every chooser ("chooser at PATH") and message ("message TEXT"), in
    // order; a test may add its own events.
    std::vector<std::string> asked;

    using FakePrompt::ShowMessage;
    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override;
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override;

private:
    void NoteThread();
};

// Every button, check box, label with text and group box of `dialog` shown
// at least as large as its text needs, and inside the dialog.
void ExpectTextsFit(QWidget& dialog);

// `dialog` opens at least at its drawn size (in dialog units), and as large
// as its texts need.
void ExpectOpensAtDrawnSize(QWidget& dialog, QSize drawnUnits);

// Each named child of `dialog` shows its text from the string table: a group
// box as its title, a label or a button as its text.
void ExpectShownTexts(const QWidget& dialog,
                      std::initializer_list<std::pair<const char*, const char*>> texts);

// A conversation a dialog started on `store`: while it runs, the store holds
// its record as begun; once `ended` holds, the store holds `records` records,
// every one completed, that one in its place.
void ExpectRecordedAsBegunThenCompleted(const std::string& store,
                                        const std::function<bool()>& ended,
                                        std::size_t records = 1);

// The child widget of that class and object name; throws when there is none.
template <typename Widget> Widget& Child(const QWidget& parent, const char* objectName)
{
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(objectName));
    if (!child)
        throw std::runtime_error(std::string("no widget ") + objectName);
    return *child;
}

// Runs `inspect` on the modal dialog the action opens, then closes it with
// the button named `closeButton`.
template <typename Dialog>
void RunModal(QAction& action, const char* closeButton, const std::function<void(Dialog&)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (!dialog) {
            if (modal)
                modal->close(); // not the dialog expected; do not hang on it
            return;
        }
        seen = true;
        inspect(*dialog);
        Child<QPushButton>(*dialog, closeButton).click();
    });
    action.trigger();
    EXPECT_TRUE(seen);
}

} // namespace dialogtest
