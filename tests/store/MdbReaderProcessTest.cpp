// The reader runs in a process of its own: whatever it does, the caller gets
// an answer or a clear reason, and no child is left behind. The misbehaving
// readers are copies of tavrin-test-child.
#include "store/engine/MdbReaderProcess.h"

#include "platform/ExecutablePath.h"
#include "store/engine/AccessDatabase.h"
#include "store/engine/MdbReaderLocation.h"
#include "store/engine/MdbReaderOutput.h"
#include "tests/store/AccessFixtures.h"
#include "tests/support/SystemSpecifics.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestChildCopy.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using store::MdbReaderLimits;
using store::RunMdbReader;

class ReaderProcess : public ::testing::Test
{
protected:
    // A stand-in reader that takes these steps.
    std::string Reader(const std::string& steps) { return testsupport::TestChildCopy(dir, steps); }

    // The reason RunMdbReader gives for `program`; empty when it succeeded.
    std::string FailureOf(const std::string& program, const MdbReaderLimits& limits = Generous())
    {
        try {
            RunMdbReader(program, {"catalogue", "x.mdb"}, limits);
        } catch (const ado::_com_error& failure) {
            return failure.what();
        }
        return {};
    }

    // Time enough for any script on a loaded machine.
    static MdbReaderLimits Generous()
    {
        MdbReaderLimits limits;
        limits.wallClock = std::chrono::seconds(60);
        limits.cpuSeconds = 5;
        return limits;
    }
    // For the readers that are meant to run out of time.
    static MdbReaderLimits Short()
    {
        MdbReaderLimits limits;
        limits.wallClock = std::chrono::milliseconds(500);
        limits.cpuSeconds = 5;
        return limits;
    }

    // Every child was reaped: there is none left to wait for.
    void TearDown() override { EXPECT_TRUE(testsupport::EveryChildReaped()); }

    testsupport::TempDir dir;
};

TEST_F(ReaderProcess, OutputAndExitStatusComeBack)
{
    const auto run =
        RunMdbReader(Reader("args\nexit 2"), {"table", "a b.mdb", "\"quoted\\\"", ""}, Generous());
    EXPECT_EQ(run.output, "table|a b.mdb|\"quoted\\\"|");
    EXPECT_EQ(run.exitStatus, 2);
}

TEST_F(ReaderProcess, StandardInputIsEmpty)
{
    const auto run = RunMdbReader(Reader("stdin-bytes"), {}, Generous());
    EXPECT_EQ(std::stoi(run.output), 0);
}

TEST_F(ReaderProcess, LibmdbSettingsOfTheCallerDoNotReachTheReader)
{
    testsupport::SetEnvironment("MDB_JET3_CHARSET", "CP437");
    const auto run =
        RunMdbReader(Reader("env MDB_JET3_CHARSET\nwrite /\nenv MDB_ICONV"), {}, Generous());
    testsupport::SetEnvironment("MDB_JET3_CHARSET", std::nullopt);
    EXPECT_EQ(run.output, "/UTF-8");
}

TEST_F(ReaderProcess, AReaderThatHangsRunsOutOfTime)
{
    EXPECT_EQ(FailureOf(Reader("sleep 30000"), Short()), "the reader ran out of time (500 ms)");
}

TEST_F(ReaderProcess, AReaderThatClosesItsOutputAndLingersRunsOutOfTime)
{
    // What the reader started is ended with it, not left behind. Time
    // enough for two programs to start on a loaded machine (or under wine).
    const std::string pidFile = dir.File("lingerer.pid");
    MdbReaderLimits limits = Short();
    limits.wallClock = std::chrono::seconds(3);
    EXPECT_EQ(FailureOf(Reader("write TMR1\nclose-output\nlinger " + pidFile), limits),
              "the reader ran out of time (3000 ms)");
    long lingerer = 0;
    ASSERT_TRUE(std::ifstream(pidFile) >> lingerer)
        << "the reader ended before its sleep began: " << accessfixtures::Bytes(pidFile);
    EXPECT_TRUE(testsupport::ProcessHasEnded(lingerer))
        << "the reader's sleep " << lingerer << " was left running";
}

TEST_F(ReaderProcess, ACrashIsNamedWithItsSignal)
{
    EXPECT_EQ(FailureOf(Reader("write TMR1\ncrash")),
              "the reader crashed (" + testsupport::CrashName() + ")");
}

TEST_F(ReaderProcess, ABusyReaderRunsOutOfProcessorTime)
{
    MdbReaderLimits limits;
    limits.cpuSeconds = 1;
    limits.wallClock = std::chrono::seconds(60);
    EXPECT_EQ(FailureOf(Reader("spin"), limits), "the reader ran out of processor time");
}

TEST_F(ReaderProcess, TooMuchOutputIsCutOff)
{
    MdbReaderLimits limits = Generous();
    limits.outputBytes = 100000;
    EXPECT_EQ(FailureOf(Reader("flood"), limits),
              "the reader's answer is larger than 100000 bytes");
}

TEST_F(ReaderProcess, AMissingProgramCannotBeRun)
{
    const std::string missing = dir.File("no-such-reader");
    const std::string reason = FailureOf(missing);
    EXPECT_EQ(reason.rfind("the reader program '" + missing + "' cannot be run", 0), 0u) << reason;
}

TEST_F(ReaderProcess, TheInstalledReaderIsFound)
{
    const std::string reader = store::LocateMdbReader();
    ASSERT_FALSE(reader.empty());
    EXPECT_EQ(std::filesystem::path(reader).filename(),
              std::string(store::kMdbReaderProgram) + platform::kExecutableSuffix);
}

TEST_F(ReaderProcess, TheRealReaderAnswersAFixture)
{
    const auto run = RunMdbReader(store::LocateMdbReader(),
                                  {"catalogue", accessfixtures::Path("emptyJet4.mdb")}, Generous());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.substr(0, 5), "TMR1C");
}

TEST_F(ReaderProcess, TheRealReaderUnderATinyAddressSpaceFailsClearly)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "no address-space limit under the address sanitizer";
#endif
    MdbReaderLimits limits = Generous();
    limits.addressSpaceBytes = std::size_t{4} << 20;
    try {
        store::AccessDatabase::Open(accessfixtures::Path("compIndexTestV2000.mdb"), limits);
        FAIL() << "the reader worked in 4 MiB";
    } catch (const ado::_com_error& error) {
        EXPECT_NE(error.Description().find("could not be read as an Access database: the reader"),
                  std::string::npos)
            << error.Description();
    }
}

// A real answer cut anywhere is refused, never half read.
TEST_F(ReaderProcess, EveryCutOfARealAnswerIsRefused)
{
    const auto run = store::RunMdbReader(store::LocateMdbReader(),
                                         {"table", accessfixtures::Path("testV1997.mdb"), "Table1"},
                                         store::MdbReaderLimits{});
    ASSERT_EQ(run.exitStatus, 0);
    const store::RowSet whole = store::ParseTableAnswer(run.output);
    EXPECT_EQ(whole.rows.size(), 2u);
    for (std::size_t keep = 0; keep < run.output.size(); ++keep)
        EXPECT_THROW(store::ParseTableAnswer(std::string_view(run.output).substr(0, keep)),
                     ado::_com_error)
            << keep;
}

// What the Access engine makes of a reader that misbehaves.
class ReaderFailureAtOpen : public ReaderProcess
{
protected:
    std::string DescriptionOf(const std::string& program,
                              const MdbReaderLimits& limits = Generous())
    {
        try {
            store::AccessDatabase::Open(fixture, limits, program);
        } catch (const ado::_com_error& error) {
            EXPECT_EQ(error.Error(), ado::E_FAIL);
            EXPECT_EQ(error.Source(), "Access database reader");
            return error.Description();
        }
        ADD_FAILURE() << "the file opened";
        return {};
    }

    const std::string fixture = accessfixtures::Path("emptyJet4.mdb");
    const std::string prefix =
        "The file '" + fixture + "' could not be read as an Access database: ";
};

TEST_F(ReaderFailureAtOpen, CrashTimeOutAndExitStatusBecomeTheDescription)
{
    EXPECT_EQ(DescriptionOf(Reader("crash")),
              prefix + "the reader crashed (" + testsupport::CrashName() + ").");
    EXPECT_EQ(DescriptionOf(Reader("sleep 30000"), Short()),
              prefix + "the reader ran out of time (500 ms).");
    EXPECT_EQ(DescriptionOf(Reader("exit 9")), prefix + "the reader failed (exit status 9).");
}

TEST_F(ReaderFailureAtOpen, AMissingReaderIsNamed)
{
    const std::string missing = dir.File("tavrin-mdb-reader");
    EXPECT_EQ(DescriptionOf(missing), prefix + "the reader program '" + missing +
                                          "' cannot be run (No such file or directory).");
}

TEST_F(ReaderFailureAtOpen, OutputThatDoesNotParseIsDamaged)
{
    EXPECT_EQ(DescriptionOf(Reader("write hello")),
              prefix + "the reader's answer is damaged (it does not begin as an answer).");
    EXPECT_EQ(DescriptionOf(Reader("write TMR1C\\xFF\\xFF\\xFF\\xFF")),
              prefix + "the reader's answer is damaged (it ends too early).");
}

TEST_F(ReaderFailureAtOpen, TheReadersOwnReasonIsPassedOn)
{
    EXPECT_EQ(DescriptionOf(Reader("write TMR1E\\x03\\x00\\x00\\x00whyTEND\nexit 2")),
              prefix + "why.");
}

} // namespace
