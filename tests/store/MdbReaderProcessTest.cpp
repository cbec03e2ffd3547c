// The reader runs in a process of its own: whatever it does, the caller gets
// an answer or a clear reason, and no child is left behind.
#include "store/engine/MdbReaderProcess.h"

#include "store/engine/AccessDatabase.h"
#include "store/engine/MdbReaderLocation.h"
#include "store/engine/MdbReaderOutput.h"
#include "tests/store/AccessFixtures.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

namespace {

using store::MdbReaderLimits;
using store::RunMdbReader;

// True once process `pid` is gone or a zombie (whoever inherited it may not
// have reaped it yet), waiting a few seconds for a kill to land.
bool HasEnded(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        std::string stat;
        if (!std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), stat))
            return true;
        const std::size_t state = stat.rfind(") ") + 2; // after the program's name
        if (state < stat.size() && (stat[state] == 'Z' || stat[state] == 'X'))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

class ReaderProcess : public ::testing::Test
{
protected:
    // A stand-in reader: a shell script with the given body.
    std::string Script(const std::string& body)
    {
        const std::string path = dir.File("reader" + std::to_string(++scripts) + ".sh");
        accessfixtures::Write(path, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

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

    void TearDown() override
    {
        // Every child was reaped: there is none left to wait for.
        EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD);
    }

    testsupport::TempDir dir;
    int scripts = 0;
};

TEST_F(ReaderProcess, OutputAndExitStatusComeBack)
{
    const auto run = RunMdbReader(Script("printf '%s|%s' \"$1\" \"$2\"; exit 2"),
                                  {"table", "a b.mdb"}, Generous());
    EXPECT_EQ(run.output, "table|a b.mdb");
    EXPECT_EQ(run.exitStatus, 2);
}

TEST_F(ReaderProcess, StandardInputIsEmpty)
{
    const auto run = RunMdbReader(Script("wc -c"), {}, Generous());
    EXPECT_EQ(std::stoi(run.output), 0);
}

TEST_F(ReaderProcess, LibmdbSettingsOfTheCallerDoNotReachTheReader)
{
    ::setenv("MDB_JET3_CHARSET", "CP437", 1);
    const auto run =
        RunMdbReader(Script("printf '%s/%s' \"$MDB_JET3_CHARSET\" \"$MDB_ICONV\""), {}, Generous());
    ::unsetenv("MDB_JET3_CHARSET");
    EXPECT_EQ(run.output, "/UTF-8");
}

TEST_F(ReaderProcess, AReaderThatHangsRunsOutOfTime)
{
    EXPECT_EQ(FailureOf(Script("exec sleep 30"), Short()), "the reader ran out of time (500 ms)");
}

TEST_F(ReaderProcess, AReaderThatClosesItsOutputAndLingersRunsOutOfTime)
{
    // What the reader started is ended with it, not left behind.
    const std::string pidFile = dir.File("lingerer.pid");
    EXPECT_EQ(
        FailureOf(Script("printf 'TMR1'; exec >&-; sleep 30 & echo $! >'" + pidFile + "'; wait"),
                  Short()),
        "the reader ran out of time (500 ms)");
    pid_t lingerer = 0;
    ASSERT_TRUE(std::ifstream(pidFile) >> lingerer) << "the reader ended before its sleep began";
    if (!HasEnded(lingerer)) {
        ADD_FAILURE() << "the reader's sleep " << lingerer << " was left running";
        ::kill(lingerer, SIGKILL);
    }
}

TEST_F(ReaderProcess, ACrashIsNamedWithItsSignal)
{
    EXPECT_EQ(FailureOf(Script("kill -SEGV $$")), "the reader crashed (signal 11)");
    EXPECT_EQ(FailureOf(Script("kill -ABRT $$")), "the reader crashed (signal 6)");
}

TEST_F(ReaderProcess, ABusyReaderRunsOutOfProcessorTime)
{
    MdbReaderLimits limits;
    limits.cpuSeconds = 1;
    limits.wallClock = std::chrono::seconds(60);
    EXPECT_EQ(FailureOf(Script("while :; do :; done"), limits),
              "the reader ran out of processor time");
}

TEST_F(ReaderProcess, TooMuchOutputIsCutOff)
{
    MdbReaderLimits limits = Generous();
    limits.outputBytes = 100000;
    EXPECT_EQ(FailureOf(Script("exec yes"), limits),
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
    EXPECT_EQ(std::filesystem::path(reader).filename(), store::kMdbReaderProgram);
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
    EXPECT_EQ(DescriptionOf(Script("kill -SEGV $$")), prefix + "the reader crashed (signal 11).");
    EXPECT_EQ(DescriptionOf(Script("exec sleep 30"), Short()),
              prefix + "the reader ran out of time (500 ms).");
    EXPECT_EQ(DescriptionOf(Script("exit 9")), prefix + "the reader failed (exit status 9).");
}

TEST_F(ReaderFailureAtOpen, AMissingReaderIsNamed)
{
    const std::string missing = dir.File("tavrin-mdb-reader");
    EXPECT_EQ(DescriptionOf(missing), prefix + "the reader program '" + missing +
                                          "' cannot be run (No such file or directory).");
}

TEST_F(ReaderFailureAtOpen, OutputThatDoesNotParseIsDamaged)
{
    EXPECT_EQ(DescriptionOf(Script("printf 'hello'")),
              prefix + "the reader's answer is damaged (it does not begin as an answer).");
    EXPECT_EQ(DescriptionOf(Script("printf 'TMR1C\\377\\377\\377\\377'")),
              prefix + "the reader's answer is damaged (it ends too early).");
}

TEST_F(ReaderFailureAtOpen, TheReadersOwnReasonIsPassedOn)
{
    EXPECT_EQ(DescriptionOf(Script("printf 'TMR1E\\003\\000\\000\\000whyTEND'; exit 2")),
              prefix + "why.");
}

} // namespace
