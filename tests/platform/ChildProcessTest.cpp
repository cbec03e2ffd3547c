// Child processes of the platform layer against copies of tavrin-test-child:
// what they are given and give back, and what ends with them.
#include "platform/ChildProcess.h"

#include "platform/FileLock.h"
#include "tests/support/SystemSpecifics.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestChildCopy.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using platform::ChildProcess;

// Its output until it ends or `wait` passes.
std::string OutputOf(ChildProcess& child, std::chrono::milliseconds wait = 10s)
{
    std::string output;
    const auto deadline = Clock::now() + wait;
    while (child.ReadOutput(output, 4096, deadline) == ChildProcess::Read::kData) {
    }
    return output;
}

class Child : public ::testing::Test
{
protected:
    std::string Program(const std::string& steps) { return testsupport::TestChildCopy(dir, steps); }
    testsupport::TempDir dir;
};

TEST_F(Child, ArgumentsArriveAsGivenAndItsExitCodeComesBack)
{
    platform::ChildOptions options;
    options.arguments = {"东区 show.db", "a\\b\\", "say \"hi\"", "", "\\\\server\\x"};
    ChildProcess child(Program("args\nexit 7"), options);
    EXPECT_EQ(OutputOf(child), "东区 show.db|a\\b\\|say \"hi\"||\\\\server\\x");
    const auto end = child.WaitUntil(Clock::now() + 10s);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->kind, platform::ChildEnd::kExited);
    EXPECT_EQ(end->code, 7);
}

TEST_F(Child, ACrashIsToldFromAnExit)
{
    ChildProcess child(Program("crash"), {});
    const auto end = child.WaitUntil(Clock::now() + 10s);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->kind, platform::ChildEnd::kCrashed);
    EXPECT_EQ(end->CrashName(), testsupport::CrashName());
}

TEST_F(Child, AnInterruptReachesAChildThatCatchesItWithinHalfASecond)
{
    ChildProcess child(Program("catch-interrupt\nexit 3"), {});
    std::string output;
    ASSERT_EQ(child.ReadOutput(output, 6, Clock::now() + 10s), ChildProcess::Read::kData);
    ASSERT_EQ(output, "ready\n");
    const auto sent = Clock::now();
    child.Interrupt();
    const auto end = child.WaitUntil(sent + 10s);
    EXPECT_LT(Clock::now() - sent, 500ms);
    EXPECT_EQ(OutputOf(child), "interrupted\n");
    ASSERT_TRUE(end);
    EXPECT_EQ(end->code, 3) << "it went on after the interrupt, its own way";
}

TEST_F(Child, AFileLockEndsWithAKilledHolder)
{
    const std::string lock = dir.File("store.lock");
    ChildProcess holder(Program("lock " + lock + "\nsleep 60000"), {});
    std::string output;
    ASSERT_EQ(holder.ReadOutput(output, 7, Clock::now() + 10s), ChildProcess::Read::kData);
    ASSERT_EQ(output, "locked\n");
    EXPECT_EQ(platform::FileLock(lock).outcome(), platform::FileLock::Outcome::kHeldElsewhere);
    holder.Kill();
    ASSERT_TRUE(holder.WaitUntil(Clock::now() + 10s));
    EXPECT_EQ(platform::FileLock(lock).outcome(), platform::FileLock::Outcome::kHeld);
}

} // namespace
