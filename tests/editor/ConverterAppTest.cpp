#include "app/ConverterApp.h"

#include "resources/strings/Strings.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Each test makes the one application object of its process. What the
// program keeps between runs goes into a folder of the test.
class Startup : public ::testing::Test
{
protected:
    Startup()
    {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(settingsDir.path().string()));
    }

    testsupport::TempDir settingsDir;
    int argc = 1;
    char name[8] = "tavrin";
    char* argv[3] = {name, nullptr, nullptr};
    testsupport::FakePrompt prompt;
};

// Once the program's event loop runs, notes the title of each window shown
// and closes it. The timer goes with the test: when no loop runs it never fires.
class WindowCloser
{
public:
    WindowCloser()
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->isVisible()) {
                    titles.push_back(widget->windowTitle());
                    widget->close();
                }
        });
        timer_.start(0);
    }
    QStringList titles;

private:
    QTimer timer_;
};

TEST_F(Startup, SocketFailureShowsOneWarningAndNoWindow)
{
    CConverterApp app(argc, argv);
    app.SetPrompt(&prompt);
    app.SetSocketStartup([] { return false; });
    const WindowCloser closer;
    EXPECT_NE(app.InitInstance(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Windows 通信端口初始化失败。");
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Warning);
    EXPECT_TRUE(closer.titles.isEmpty()) << "no window was shown";
}

TEST_F(Startup, ClosingTheMainWindowEndsTheProgram)
{
    CConverterApp app(argc, argv);
    app.SetPrompt(&prompt);
    const WindowCloser closer;
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_EQ(closer.titles, QStringList{QString::fromUtf8(strings::kMainWindowTitle)});
    EXPECT_TRUE(prompt.messages.empty());
}

// `tavrin FILE` opens the store as "Corvane Database" would, messages
// included.
TEST_F(Startup, AStoreOnTheCommandLineIsOpenedAtStartUp)
{
    const testsupport::TempDir dir;
    const std::string show = dir.File("show.db");
    editortest::MakeShowStore(show, editortest::FiveCues());
    const std::string other = dir.File("other.db");
    testsupport::MakeEmptySqliteFile(other);
    for (const std::string& path : {show, other}) {
        std::string argument = path;
        argv[1] = argument.data();
        int args = 2;
        CConverterApp app(args, argv);
        app.SetPrompt(&prompt);
        const WindowCloser closer;
        EXPECT_EQ(app.InitInstance(), 0);
        ASSERT_EQ(closer.titles.size(), 1);
        if (path == show) {
            EXPECT_EQ(closer.titles[0], QStringLiteral("show.db[*] - Corvane-Quillmark"));
            EXPECT_TRUE(prompt.messages.empty());
        } else {
            EXPECT_EQ(closer.titles[0], QString::fromUtf8(strings::kMainWindowTitle));
            EXPECT_EQ(prompt.MessageTexts(), std::vector<std::string>{strings::kNoLayoutTable});
        }
    }
}

// `tavrin --rehearse [FILE]`: the window in rehearsal before anything can be
// sent, the store opened as without it; either order.
TEST_F(Startup, RehearseStartsTheWindowInRehearsal)
{
    const testsupport::TempDir dir;
    const std::string show = dir.File("show.db");
    editortest::MakeShowStore(show, editortest::FiveCues());
    std::string path = show;
    char rehearse[] = "--rehearse";
    for (const bool storeFirst : {false, true}) {
        char* args[] = {name, storeFirst ? path.data() : rehearse,
                        storeFirst ? rehearse : path.data(), nullptr};
        int count = 3;
        CConverterApp app(count, args);
        app.SetPrompt(&prompt);
        const WindowCloser closer;
        EXPECT_EQ(app.InitInstance(), 0);
        EXPECT_EQ(closer.titles,
                  QStringList{QStringLiteral("show.db[*] [Rehearsal] - Corvane-Quillmark")});
    }
    char* alone[] = {name, rehearse, nullptr};
    int count = 2;
    CConverterApp app(count, alone);
    app.SetPrompt(&prompt);
    const WindowCloser closer;
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_EQ(closer.titles, QStringList{QStringLiteral("Corvane-Quillmark [Rehearsal]")});
    EXPECT_TRUE(prompt.messages.empty());
}

// The window opens wholly on the screen, and the next run puts it where it
// was left.
TEST_F(Startup, TheWindowComesBackWhereItWasLeft)
{
    QRect left;
    QRect opened;
    for (const bool first : {true, false}) {
        CConverterApp app(argc, argv);
        app.SetPrompt(&prompt);
        QTimer::singleShot(0, [&] {
            QWidget* window = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->isVisible())
                    window = widget;
            ASSERT_NE(window, nullptr);
            const QRect available = window->screen()->availableGeometry();
            if (first) {
                EXPECT_TRUE(available.contains(window->frameGeometry()));
                left = QRect(available.topLeft() + QPoint(30, 20), QSize(520, 400));
                window->setGeometry(left);
            } else {
                opened = window->geometry();
            }
            window->close();
        });
        EXPECT_EQ(app.InitInstance(), 0);
    }
    EXPECT_EQ(opened, left);
}

} // namespace
