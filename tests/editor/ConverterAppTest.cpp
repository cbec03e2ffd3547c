#include "app/ConverterApp.h"

#include "resources/strings/Strings.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Each test makes the one application object of its process.
class Startup : public ::testing::Test
{
protected:
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

} // namespace
