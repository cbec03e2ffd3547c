#include "ConverterApp.h"

#include "FakePrompt.h"
#include "strings/Strings.h"

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
    char* argv[2] = {name, nullptr};
    testsupport::FakePrompt prompt;
};

TEST_F(Startup, SocketFailureShowsOneWarningAndNoWindow)
{
    CConverterApp app(argc, argv);
    app.SetPrompt(&prompt);
    app.SetSocketStartup([] { return false; });
    bool windowShown = false;
    QTimer::singleShot(0, [&] { windowShown = !QApplication::topLevelWidgets().isEmpty(); });
    EXPECT_NE(app.InitInstance(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Windows 通信端口初始化失败。");
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Warning);
    EXPECT_FALSE(windowShown);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Startup, ClosingTheMainWindowEndsTheProgram)
{
    CConverterApp app(argc, argv);
    app.SetPrompt(&prompt);
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible()) {
                title = widget->windowTitle();
                widget->close();
            }
    });
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_EQ(title, QString::fromUtf8(strings::kMainWindowTitle));
    EXPECT_TRUE(prompt.messages.empty());
}

} // namespace
