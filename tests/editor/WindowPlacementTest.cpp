#include "editor/ui/WindowPlacement.h"

#include "editor/ui/ConverterDlg.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

namespace {

using editor::WindowPlacement;

// The main window as the program opens it, its settings in a file of the test.
class Placement : public ::testing::Test
{
protected:
    QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // A window placed from the settings and shown.
    std::unique_ptr<CConverterDlg> Opened()
    {
        auto window = std::make_unique<CConverterDlg>(prompt);
        WindowPlacement(settings).Restore(*window);
        window->show();
        QApplication::processEvents();
        return window;
    }

    testsupport::TempDir dir;
    QSettings settings{QString::fromStdString(dir.File("tavrin.ini")), QSettings::IniFormat};
    testsupport::FakePrompt prompt;
};

// A designer's 1366x768 laptop with its task bar, and a 1092x712 window.
TEST_F(Placement, AWindowTallerThanTheScreenIsMadeToFitInItsMiddle)
{
    const QRect laptop(0, 0, 1366, 728);
    const QMargins frame(8, 31, 8, 8);
    const QRect client = WindowPlacement::Centred(QSize(1092, 712), frame, laptop);
    EXPECT_TRUE(laptop.contains(client.marginsAdded(frame))) << "the frame lies on the screen";
    EXPECT_EQ(client.height(), 728 - 39) << "as tall as the screen lets it be";
    EXPECT_EQ(client.width(), 1092) << "as wide as it wants";
    EXPECT_EQ(client.left() - 8, (1366 - 1108) / 2) << "in the middle";

    const QRect second(1366, -200, 1920, 1040);
    EXPECT_TRUE(second.contains(
        WindowPlacement::Centred(QSize(1092, 712), frame, second).marginsAdded(frame)));
}

TEST_F(Placement, OnlyAFrameWhollyInsideOneScreenFits)
{
    const QList<QRect> screens{QRect(0, 0, 1366, 728), QRect(1366, 0, 1920, 1040)};
    EXPECT_TRUE(WindowPlacement::Fits(QRect(100, 100, 800, 600), screens));
    EXPECT_TRUE(WindowPlacement::Fits(QRect(1400, 10, 1800, 1000), screens));
    EXPECT_FALSE(WindowPlacement::Fits(QRect(1000, 100, 800, 600), screens)) << "across two";
    EXPECT_FALSE(WindowPlacement::Fits(QRect(100, 300, 800, 600), screens)) << "below the first";
    EXPECT_FALSE(WindowPlacement::Fits(QRect(), screens));
}

TEST_F(Placement, TheFirstWindowOpensWhollyInsideTheAvailableArea)
{
    const auto window = Opened();
    EXPECT_TRUE(Available().contains(window->frameGeometry()))
        << "window " << window->frameGeometry().width() << "x" << window->frameGeometry().height()
        << " on " << Available().width() << "x" << Available().height();
}

TEST_F(Placement, TheWindowComesBackWhereTheDesignerLeftIt)
{
    const QRect left(Available().topLeft() + QPoint(40, 50), QSize(500, 380));
    {
        const auto window = Opened();
        window->setGeometry(left);
        QApplication::processEvents();
        window->close();
        WindowPlacement(settings).Save(*window);
    }
    EXPECT_EQ(Opened()->geometry(), left);
}

// The screen it was left on is gone, or smaller now.
TEST_F(Placement, AGeometryNoScreenHoldsIsNotRestored)
{
    const QRect beside(Available().right() + 100, Available().top() + 10, 500, 380);
    const QRect larger(Available().topLeft(), Available().size() + QSize(300, 300));
    for (const QRect& left : {beside, larger}) {
        {
            const auto window = Opened();
            window->setGeometry(left);
            QApplication::processEvents();
            WindowPlacement(settings).Save(*window);
        }
        const auto window = Opened();
        EXPECT_NE(window->geometry(), left);
        EXPECT_TRUE(Available().contains(window->frameGeometry()));
    }
}

} // namespace
