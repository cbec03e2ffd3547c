// tavrin-cli's designer tools: assign by rule, and the printable load sheets
// (read back with poppler's pdftotext).
#include "resources/strings/Strings.h"
#include "tests/cli/CliFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

namespace {

using clitest::Cli;
using clitest::FourCues;
using clitest::RunCli;

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rows: 1 A1 00:03.000 Sla 02 Cue 00; 2 B2 00:01.000 01/00; 3 A1 00:02.000
// 01/01; 4 北岸-1 01:02:03.004 07/11.
TEST_F(Cli, AssignByRuleCombinesOptionsAndRowsAllOrNothing)
{
    const std::string store = Store(FourCues());
    auto assign = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"assign", store});
        return RunCli(args);
    };
    ASSERT_EQ(assign({"--host", "Z", "--modules", "1-1", "--current", "A1"}).exitCode, 0);
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"A1", "B2", "Z", "北岸-1"}));
    const auto spanAndRows =
        assign({"--host", "Y", "--from", "00:01.000", "--to", "00:02.000", "1-2"});
    ASSERT_EQ(spanAndRows.exitCode, 0) << spanAndRows.err;
    EXPECT_EQ(HostNames(store), (std::vector<std::string>{"A1", "Y", "Z", "北岸-1"}));
    ASSERT_EQ(assign({"--host", "W", "--to", "01:02:03.004", "--channels", "11"}).exitCode, 0)
        << "the span is inclusive";
    EXPECT_EQ(HostNames(store)[3], "W");

    const std::string before = Contents(store);
    const auto none = assign({"--host", "V", "--event", "99"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, std::string(strings::kCliAssignNoMatch) + "\n");
    EXPECT_EQ(assign({"--host", "V", "--modules", "7", "1-3"}).exitCode, 1)
        << "rows and rule disjoint";
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--host", "V"},
                                                {"--host", "V", "--modules", "3-1"},
                                                {"--host", "V", "--from", "1:00"},
                                                {"--host", "V", "--event", "x"}})
        EXPECT_EQ(assign(bad).exitCode, 2) << ::testing::PrintToString(bad);
    EXPECT_EQ(Contents(store), before) << "nothing written";
}

// Each run reads the show, then saves only the names it changed, after
// checking that nobody changed them meanwhile: two runs on different rows at
// once both end up in the file, whichever writes first.
TEST_F(Cli, TwoAssignsAtOnceOnDifferentRowsBothLand)
{
    for (int run = 0; run < 3; ++run) {
        const std::string store =
            Store(hostlinktest::NumberedRows(2000), "race" + std::to_string(run) + ".db");
        auto north = std::async(std::launch::async, [&] {
            return RunCli({"assign", store, "--host", "North-1", "1-1000"});
        });
        auto south = std::async(std::launch::async, [&] {
            return RunCli({"assign", store, "--host", "South-2", "1001-2000"});
        });
        const clitest::CliResult first = north.get();
        const clitest::CliResult second = south.get();
        EXPECT_EQ(first.exitCode, 0) << first.err;
        EXPECT_EQ(second.exitCode, 0) << second.err;
        const std::vector<std::string> names = HostNames(store);
        ASSERT_EQ(names.size(), 2000u);
        EXPECT_EQ(std::count(names.begin(), names.begin() + 1000, "North-1"), 1000)
            << "run " << run;
        EXPECT_EQ(std::count(names.begin() + 1000, names.end(), "South-2"), 1000) << "run " << run;
    }
}

TEST_F(Cli, LoadSheetsPdfHasOnePagePerHostAndCsvOneLinePerCue)
{
    const std::string store = Store(FourCues());
    const std::string pdf = dir.File("sheets.pdf");
    const auto written = RunCli({"hosts", store, "--pdf", pdf});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_TRUE(written.err.empty()) << written.err;
    const auto text = clitest::RunProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << "poppler-utils installed? " << text.err;
    std::vector<std::string> pages;
    std::stringstream split(text.out);
    for (std::string page; std::getline(split, page, '\f');)
        if (page.find_first_not_of(" \n") != std::string::npos)
            pages.push_back(page);
    ASSERT_EQ(pages.size(), 3u);
    const char* hosts[] = {"A1", "B2", "北岸-1"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NE(pages[i].find(std::string("Load Sheet ") + hosts[i]), std::string::npos)
            << pages[i];
        EXPECT_NE(pages[i].find("page 1/1"), std::string::npos);
    }
    EXPECT_NE(pages[0].find("Cues: 2"), std::string::npos) << pages[0];
    EXPECT_NE(pages[0].find("Last Launch: 00:03.000"), std::string::npos);
    EXPECT_NE(pages[2].find("01:02:03.004"), std::string::npos);
    EXPECT_LT(pages[0].find("Sla 01"), pages[0].find("Sla 02")) << "modules in order";

    const auto csv = RunCli({"hosts", store, "--csv"});
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')), "Host,Host Code,Sla,Cue,Launch Time,Event");
    EXPECT_NE(csv.out.find("北岸-1,,07,11,01:02:03.004,0"), std::string::npos) << csv.out;
    // The host plan's code goes on the sheets of the hosts it names.
    ASSERT_EQ(RunCli({"plan", store, "--set", "A1=5"}).exitCode, 0);
    const auto planned = RunCli({"hosts", store, "--csv"});
    EXPECT_NE(planned.out.find("\nA1,5,"), std::string::npos) << planned.out;
    EXPECT_NE(planned.out.find("\nB2,,"), std::string::npos) << planned.out;

    EXPECT_EQ(RunCli({"hosts", store, "--pdf", dir.File("no/such/folder/x.pdf")}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("no/such/folder/x.pdf")));
}

} // namespace

namespace {

TEST_F(Cli, ALongLoadSheetGoesOnToMorePagesOfItsHost)
{
    const std::string store = Store(hostlinktest::NumberedRows(150)); // all on HOST
    const std::string pdf = dir.File("long.pdf");
    ASSERT_EQ(RunCli({"hosts", store, "--pdf", pdf}).exitCode, 0);
    const auto text = clitest::RunProgram("/usr/bin/pdftotext", {pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const std::size_t first = text.out.find("page 1/");
    ASSERT_NE(first, std::string::npos) << text.out;
    const int pages = std::stoi(text.out.substr(first + 7));
    EXPECT_GE(pages, 2);
    const std::string last = "page " + std::to_string(pages) + "/" + std::to_string(pages);
    EXPECT_NE(text.out.find(last), std::string::npos);
    EXPECT_EQ(text.out.find("page " + std::to_string(pages + 1) + "/"), std::string::npos);
    EXPECT_NE(text.out.find("02:29.000"), std::string::npos) << "the last cue is printed";
    EXPECT_EQ(RunCli({"hosts", store, "--csv", "--pdf", pdf}).exitCode, 2);
}

} // namespace
