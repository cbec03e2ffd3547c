// What tavrin-cli writes besides the show store, and its standard output: a
// load sheet goes only to a plain file that the command does not read, whole
// or not at all; output that cannot be written ends the command with 1.
#include "platform/Console.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/SystemSpecifics.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using clitest::Cli;
using clitest::FileBytes;
using clitest::FolderNames;
using clitest::FourCues;
using clitest::Line;
using clitest::Output;
using clitest::RunCli;
using clitest::RunCliInto;

TEST_F(Cli, LoadSheetsGoOnlyToAPlainFileOfTheirOwnAndWhole)
{
    const std::string store = Store(FourCues());
    const std::string other = Store(FourCues(), "other.db");
    fs::create_symlink(store, dir.File("link.pdf"));
    fs::create_hard_link(store, dir.File("hard.csv"));
    ASSERT_TRUE(testsupport::MakeFifo(dir.File("fifo")));
    fs::create_directory(dir.File("folder"));
    const std::string before = FileBytes(store);
    const std::vector<std::string> files = FolderNames(dir.path());
    struct Case
    {
        const char* option;
        std::string target;
        int exitCode; // 2: the command line names the file it reads as the one to write
        std::string err;
    };
    const std::string link = dir.File("link.pdf"), hard = dir.File("hard.csv");
    const std::string fifo = dir.File("fifo"), folder = dir.File("folder");
    for (const Case& refused : std::vector<Case>{
             {"--pdf", store, 2, strings::FormatText(strings::kOutputIsInput, store.c_str())},
             {"--pdf", link, 2, strings::FormatText(strings::kOutputIsInput, link.c_str())},
             {"--csv", hard, 2, strings::FormatText(strings::kOutputIsInput, hard.c_str())},
             {"--csv", fifo, 1, strings::FormatText(strings::kOutputNotRegular, fifo.c_str())},
             {"--pdf", folder, 1, strings::FormatText(strings::kOutputNotRegular, folder.c_str())},
             {"--csv", "/dev/null", 1,
              strings::FormatText(strings::kOutputNotRegular, "/dev/null")},
             {"--pdf", other, 1, strings::FormatText(strings::kOutputIsDatabase, other.c_str())},
             {"--pdf", dir.File("no/such/x.pdf"), 1,
              strings::FormatText(strings::kOutputFolderMissing, dir.File("no/such").c_str())}}) {
        const auto result = RunCli({"hosts", store, refused.option, refused.target});
        EXPECT_EQ(result.exitCode, refused.exitCode) << refused.target;
        EXPECT_EQ(result.err, refused.err + "\n");
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_EQ(FileBytes(store), before) << "the show store is untouched";
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(FolderNames(dir.path()), files) << "nothing made, nothing left behind";

    // A file of its own is replaced whole, through its link, keeping its mode.
    const std::string csv = dir.File("sheets.csv");
    std::ofstream(csv) << "old sheets";
    fs::permissions(csv, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(csv, dir.File("latest.csv"));
    const auto written = RunCli({"hosts", store, "--csv", dir.File("latest.csv")});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_TRUE(fs::is_symlink(dir.File("latest.csv")));
    EXPECT_EQ(FileBytes(csv), RunCli({"hosts", store, "--csv"}).out);
    EXPECT_EQ(fs::status(csv).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Standard output ends its lines as the system's tools expect ("\r\n" on
// Windows); a file the command writes holds the same bytes on every system.
TEST_F(Cli, StandardOutputEndsLinesTheSystemsWayAndFilesKeepTheirBytes)
{
    const std::string store = Store(FourCues());
    const auto shown = RunCli({"hosts", store, "--csv"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const std::string end = platform::kLineEnd;
    std::string expected = shown.out;
    for (std::size_t at = expected.find('\n'); at != std::string::npos;
         at = expected.find('\n', at + end.size()))
        expected.replace(at, 1, end);
    EXPECT_EQ(shown.rawOut, expected);
    const std::string csv = dir.File("sheets.csv");
    ASSERT_EQ(RunCli({"hosts", store, "--csv", csv}).exitCode, 0);
    EXPECT_EQ(FileBytes(csv), shown.out);
    EXPECT_EQ(FileBytes(csv).find('\r'), std::string::npos);
}

// A build without Qt paints no PDF: it says so, and writes nothing.
TEST_F(Cli, PdfLoadSheetsInABuildWithoutQtAreRefusedClearly)
{
    if (TAVRIN_HAS_PDF_SHEETS)
        GTEST_SKIP() << "this build writes PDF load sheets";
    const std::string store = Store(FourCues());
    const std::vector<std::string> files = FolderNames(dir.path());
    const auto result = RunCli({"hosts", store, "--pdf", dir.File("sheets.pdf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, Line(strings::kCliPdfNotBuilt));
    EXPECT_EQ(FolderNames(dir.path()), files) << "nothing made, nothing left behind";
}

TEST_F(Cli, OutputThatCannotBeWrittenEndsWithOneAfterTheWork)
{
    const std::string store = Store(FourCues());
    const std::string lost = Line(strings::kCliOutputLost);
    // A full disk is said; a reader that went away (`| head`) is not.
    for (const Output output : {Output::kFullDisk, Output::kClosedPipe}) {
        for (const char* command : {"check", "show", "hosts"}) {
            const auto result = RunCliInto(output, {command, store});
            EXPECT_EQ(result.signal, 0) << command << " was ended by a signal";
            EXPECT_EQ(result.exitCode, 1) << command;
            EXPECT_EQ(result.err, output == Output::kFullDisk ? lost : "") << command;
        }
    }
    // A command that writes does its work; only its report is lost.
    const std::string fireOne = testsupport::MakeSqliteFile(
        dir.File("fire.db"),
        "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    const auto imported = RunCliInto(Output::kFullDisk, {"import", fireOne});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_EQ(imported.err, lost);
    EXPECT_TRUE(HostNames(fireOne).empty()) << "the show table is there, and empty";
    const auto planned = RunCliInto(Output::kClosedPipe, {"plan", store, "--set", "A1=4"});
    EXPECT_EQ(planned.exitCode, 1);
    EXPECT_EQ(planned.err, "");
    EXPECT_EQ(RunCli({"hosts", store, "--csv"}).out.find("\nA1,4,") != std::string::npos, true);
    // A failure keeps its own code and message.
    const auto missing = RunCliInto(Output::kFullDisk, {"show", dir.File("missing.db")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.find(lost), std::string::npos) << missing.err;
}

// A field load whose summary cannot be printed still loads every host; its
// success is not reported as one, and a failed one stays a failure.
TEST_F(Cli, AFieldLoadsOutcomeIsNeverHiddenByItsOutput)
{
    const std::string store = Store(FourCues());
    ASSERT_EQ(
        RunCli({"plan", store, "--set", "A1=5", "--set", "B2=6", "--set", "北岸-1=7"}).exitCode, 0);
    const std::string lost = Line(strings::kCliOutputLost);
    for (const int refusedFrame : {0, 3}) {
        std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts;
        std::vector<std::string> load = {"download", store, "--all-hosts"};
        for (int code = 5; code <= 7; ++code) {
            hosts.push_back(hostlinktest::StartHost({.refuseFrame = code == 7 ? refusedFrame : 0}));
            load.insert(load.end(), {"--target", std::to_string(code) + "=127.0.0.1:" +
                                                     std::to_string(hosts.back()->Port())});
        }
        const auto result = RunCliInto(Output::kFullDisk, load);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.substr(result.err.size() - lost.size()), lost) << result.err;
        EXPECT_TRUE(hosts[0]->WaitForFrames(6, std::chrono::seconds(1))) << "the load went on";
        if (refusedFrame == 0)
            EXPECT_TRUE(hosts[2]->WaitForFrames(6, std::chrono::seconds(1)));
        else
            EXPECT_EQ(hosts[2]->Records().size(), 3u) << "it ends at the refused frame";
    }
}

} // namespace
