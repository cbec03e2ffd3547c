// One QApplication for every test of the program it is linked into.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        app_ = new QApplication(argc_, argv_);
        // Closing the window under test must not end anything.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    int argc_ = 1;
    char name_[16] = "tavrin-tests";
    char* argv_[2] = {name_, nullptr};
    QApplication* app_ = nullptr;
};

const ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
