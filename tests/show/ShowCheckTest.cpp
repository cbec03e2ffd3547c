#include "show/ShowCheck.h"

#include "messages/FindingText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/SheetSummary.h"
#include "show/ShowReader.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/RaisedFailure.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>

namespace {

// What the user reads of a finding.
std::string Text(const show::ShowFinding& finding)
{
    return messages::FindingText(finding);
}

using editortest::Cue;
using show::CheckShow;
using show::FindingKind;
using show::FindingSeverity;
using show::ShowCheckReport;
using show::ShowFinding;

// A cue with its firing point spelled out.
show::Cue Point(int flowId, const std::string& host, const std::string& addr,
                const std::string& channel, int blastTime = 1000)
{
    show::Cue cue = Cue(flowId, host, blastTime);
    cue.Addr = addr;
    cue.Channel = channel;
    return cue;
}

std::vector<show::FindingKind> Kinds(const show::ShowCheckReport& report)
{
    std::vector<show::FindingKind> kinds;
    for (const show::ShowFinding& finding : report.findings)
        kinds.push_back(finding.kind);
    return kinds;
}

const show::ShowFinding& Only(const show::ShowCheckReport& report, show::FindingKind kind)
{
    const show::ShowFinding* found = nullptr;
    for (const show::ShowFinding& finding : report.findings)
        if (finding.kind == kind) {
            EXPECT_EQ(found, nullptr) << "more than one " << show::FindingKindName(kind);
            found = &finding;
        }
    if (!found)
        throw std::runtime_error(std::string("no finding ") + show::FindingKindName(kind));
    return *found;
}

TEST(ShowCheck, AShowWithAssignedHostsAndDistinctPointsPasses)
{
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, "A1", "01", "00"), Point(1, "A1", "01", "01"),
                         Point(2, "B2", "01", "00"), Point(3, "北岸-1", "00", "00", 0)});
    EXPECT_TRUE(report.findings.empty()) << Text(report.findings.front());
    EXPECT_EQ(report.cues, 4);
    EXPECT_EQ(report.Errors(), 0);
}

TEST(ShowCheck, EmptyShowIsAnError)
{
    const show::ShowCheckReport report = show::CheckShow({});
    ASSERT_EQ(Kinds(report), std::vector{show::FindingKind::kEmptyShow});
    EXPECT_EQ(report.findings[0].severity, show::FindingSeverity::kError);
    EXPECT_EQ(Text(report.findings[0]), strings::kCheckEmptyShow);
    EXPECT_EQ(report.Errors(), 1);
}

TEST(ShowCheck, OneFiringPointUsedTwiceOnAHostNamesEveryCueOfIt)
{
    // "05" and "5" reach the host as the same module; another host may reuse
    // the point; the third cue on it is listed too.
    const show::ShowCheckReport report = show::CheckShow(
        {Point(7, "A1", "05", "02"), Point(3, "A1", "01", "02"), Point(9, "A1", "5", "2"),
         Point(4, "B2", "05", "02"), Point(12, "A1", "05", "002")});
    const show::ShowFinding& shared = Only(report, show::FindingKind::kSharedFiringPoint);
    EXPECT_EQ(shared.severity, show::FindingSeverity::kError);
    EXPECT_EQ(shared.sequences, (std::vector<int>{7, 9, 12}));
    EXPECT_EQ(Text(shared), strings::FormatText(strings::kCheckSharedFiringPoint, "A1", 5, 2, 3));
}

TEST(ShowCheck, NegativeLaunchTimesAreOneErrorListingTheirRows)
{
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, "A1", "01", "00", -1500), Point(1, "A1", "01", "01", 0),
                         Point(2, "A1", "01", "02", -1)});
    const show::ShowFinding& negative = Only(report, show::FindingKind::kNegativeLaunchTime);
    EXPECT_EQ(negative.severity, show::FindingSeverity::kError);
    EXPECT_EQ(negative.sequences, (std::vector<int>{0, 2}));
    EXPECT_EQ(Text(negative), strings::kCheckNegativeTime);
}

TEST(ShowCheck, AddrAndChannelThatAreNotPlainNumbersSayWhatTheHostWouldGet)
{
    const show::ShowCheckReport report = show::CheckShow(
        {Point(0, "A1", "7A", "00"), Point(1, "A1", "", "01"), Point(2, "A1", "7A", "02"),
         Point(3, "A1", "03", " 4"), Point(4, "A1", "03", "+5"), Point(5, "A1", "03", "-"),
         Point(6, "A1", "0012", "-3")});
    ASSERT_EQ(
        Kinds(report),
        (std::vector{show::FindingKind::kAddrNotDecimal, show::FindingKind::kAddrNotDecimal,
                     show::FindingKind::kChannelNotDecimal, show::FindingKind::kChannelNotDecimal,
                     show::FindingKind::kChannelNotDecimal, show::FindingKind::kChannelNegative}));
    EXPECT_EQ(Text(report.findings[0]),
              strings::FormatText(strings::kCheckNotDecimal, "Sla", "7A", 7));
    EXPECT_EQ(report.findings[0].sequences, (std::vector<int>{0, 2}));
    EXPECT_EQ(Text(report.findings[1]),
              strings::FormatText(strings::kCheckNotDecimal, "Sla", "", 0));
    EXPECT_EQ(report.findings[1].sequences, std::vector<int>{1});
    EXPECT_EQ(Text(report.findings[2]),
              strings::FormatText(strings::kCheckNotDecimal, "Cue", " 4", 4));
    EXPECT_EQ(Text(report.findings[3]),
              strings::FormatText(strings::kCheckNotDecimal, "Cue", "+5", 5));
    EXPECT_EQ(Text(report.findings[4]),
              strings::FormatText(strings::kCheckNotDecimal, "Cue", "-", 0));
    EXPECT_EQ(report.findings[4].sequences, std::vector<int>{5});
}

TEST(ShowCheck, NumbersBeyond32BitsCannotBeSent)
{
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, "A1", "2147483648", "00"), Point(1, "A1", "01", "-2147483649"),
                         Point(2, "A1", "2147483647", "-2147483648")});
    ASSERT_EQ(Kinds(report),
              (std::vector{show::FindingKind::kAddrTooLarge, show::FindingKind::kChannelTooLarge,
                           show::FindingKind::kChannelNegative}));
    EXPECT_EQ(Text(report.findings[0]),
              strings::FormatText(strings::kCheckNumberTooLarge, "Sla", "2147483648"));
    EXPECT_EQ(report.findings[1].sequences, std::vector<int>{1});
}

TEST(ShowCheck, HostNamesTheHostCannotGet)
{
    const std::string longest(64, 'x'); // fills the field: fine
    const std::string tooLong(65, 'x');
    const std::string thirtyThreeHan = [] { // 66 bytes in GBK
        std::string name;
        for (int i = 0; i < 33; ++i)
            name += "烟";
        return name;
    }();
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, longest, "01", "00"), Point(1, tooLong, "01", "00"),
                         Point(2, "Hôst😀", "01", "00"), Point(3, thirtyThreeHan, "01", "00"),
                         Point(4, "Hôst😀", "01", "01")});
    ASSERT_EQ(
        Kinds(report),
        (std::vector{show::FindingKind::kHostNameNotGbk, show::FindingKind::kHostNameTooLong,
                     show::FindingKind::kHostNameTooLong, show::FindingKind::kHostNameTooWide}));
    EXPECT_EQ(report.findings[3].sequences, std::vector<int>{0})
        << "64 bytes fit a frame, but not the store's 32 characters";
    EXPECT_EQ(Text(report.findings[0]), strings::FormatText(strings::kCheckHostNotGbk, "Hôst😀"));
    EXPECT_EQ(report.findings[0].sequences, (std::vector<int>{2, 4}));
    EXPECT_EQ(Text(report.findings[1]),
              strings::FormatText(strings::kCheckHostTooLong, tooLong.c_str(), 65, 64));
    EXPECT_EQ(Text(report.findings[2]),
              strings::FormatText(strings::kCheckHostTooLong, thirtyThreeHan.c_str(), 66, 64));
    EXPECT_EQ(report.findings[2].sequences, std::vector<int>{3});
}

TEST(ShowCheck, NegativeModulesAndPinsDoNotExist)
{
    // FireOne's Cue 0 becomes Channel -1; "-0" is module 0.
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, "A1", "-1", "00"), Point(1, "A1", "01", "-1"),
                         Point(2, "A1", "02", "-1"), Point(3, "A1", "-0", "03")});
    ASSERT_EQ(Kinds(report),
              (std::vector{show::FindingKind::kAddrNegative, show::FindingKind::kChannelNegative}));
    EXPECT_EQ(Text(report.findings[0]),
              strings::FormatText(strings::kCheckNegativeNumber, "Sla", "-1"));
    EXPECT_EQ(report.findings[0].sequences, std::vector<int>{0});
    EXPECT_EQ(Text(report.findings[1]),
              strings::FormatText(strings::kCheckNegativeNumber, "Cue", "-1"));
    EXPECT_EQ(report.findings[1].sequences, (std::vector<int>{1, 2}));
    EXPECT_EQ(report.Errors(), 2);
}

TEST(ShowCheck, HostNamesWithControlCharactersAreShownEscaped)
{
    const show::ShowCheckReport report = show::CheckShow(
        {Point(0, "A\nB", "01", "00"), Point(1, "\x1b]0;pwned\x07", "01", "00"),
         Point(2, "A1\x7f", "01", "00"), Point(3, "A\xc2\x85", "01", "00"),
         Point(4, "A\nB", "01", "01"), Point(5, "\tA1", "01", "00"),
         Point(6, "A\xc2\xb7", "01", "00"), Point(7, std::string("A\0B", 3), "01", "00")});
    ASSERT_EQ(report.Errors(), 6);
    std::vector<std::string> texts;
    for (const show::ShowFinding& finding : report.findings) {
        EXPECT_EQ(finding.kind, show::FindingKind::kHostNameControl) << Text(finding);
        texts.push_back(Text(finding));
    }
    const auto text = [](const char* name) {
        return strings::FormatText(strings::kCheckHostControl, name);
    };
    EXPECT_EQ(texts, (std::vector{text("A\\x0aB"), text("\\x1b]0;pwned\\x07"), text("A1\\x7f"),
                                  text("A\\x85"), text("\\x09A1"), text("A\\x00B")}));
    EXPECT_EQ(report.findings[0].sequences, (std::vector<int>{0, 4}));
}

TEST(ShowCheck, BlankHostNamesBelongToNoHost)
{
    const show::ShowCheckReport report = show::CheckShow(
        {Point(0, "", "01", "00"), Point(1, "A1", "01", "01"), Point(2, " \t ", "01", "02")});
    ASSERT_EQ(Kinds(report), std::vector{show::FindingKind::kHostNameBlank});
    EXPECT_EQ(report.findings[0].severity, show::FindingSeverity::kError);
    EXPECT_EQ(report.findings[0].sequences, (std::vector<int>{0, 2}));
    EXPECT_EQ(Text(report.findings[0]), strings::kCheckHostBlank);
}

TEST(ShowCheck, CuesStillOnTheImportsHostAreAWarningAfterTheErrors)
{
    const show::ShowCheckReport report =
        show::CheckShow({Point(0, "HOST", "01", "00"), Point(1, "A1", "01", "00", -5),
                         Point(2, "HOST", "01", "01"), Point(3, "host", "01", "02")});
    ASSERT_EQ(Kinds(report), (std::vector{show::FindingKind::kNegativeLaunchTime,
                                          show::FindingKind::kDefaultHost}));
    const show::ShowFinding& warning = report.findings[1];
    EXPECT_EQ(warning.severity, show::FindingSeverity::kWarning);
    EXPECT_EQ(warning.sequences, (std::vector<int>{0, 2}));
    EXPECT_EQ(Text(warning), strings::FormatText(strings::kCheckDefaultHost, "HOST"));
    EXPECT_EQ(report.Errors(), 1);
    EXPECT_EQ(report.Warnings(), 1);
}

class ShowCheckStore : public ::testing::Test
{
protected:
    testsupport::TempDir dir;
};

TEST_F(ShowCheckStore, ReadsTheStoreInItsOwnOrder)
{
    const std::string path = dir.File("show.db");
    editortest::MakeShowStore(
        path, {Point(4, "A1", "01", "00"), Point(0, "A1", "1", "0"), Point(2, "HOST", "02", "00")});
    const show::ShowCheckReport report = show::CheckShowStore(path);
    EXPECT_EQ(report.cues, 3);
    EXPECT_EQ(Only(report, show::FindingKind::kSharedFiringPoint).sequences,
              (std::vector<int>{4, 0}));
    EXPECT_EQ(Only(report, show::FindingKind::kDefaultHost).sequences, std::vector<int>{2});
}

TEST_F(ShowCheckStore, NullsMadeElsewhereAreErrorsNamingTheirCues)
{
    // No NOT NULL here: a store another program wrote.
    const std::string path = dir.File("nulls.db");
    testsupport::MakeEmptySqliteFile(path);
    testsupport::RunSql(path, "CREATE TABLE tb_Layout(FlowID int, HostName nVarchar(32), "
                              "HostIndex int, BlastTime int, Addr nVarchar(32), "
                              "Channel nVarchar(32), CDCode int, Sector int)");
    testsupport::RunSql(path, "INSERT INTO tb_Layout VALUES (0,'A1',1,NULL,'01','00',5,0),"
                              "(1,NULL,1,1000,'01','01',NULL,0),(2,'A1',1,NULL,'01','02',5,NULL),"
                              "(3,'A1',NULL,3000,NULL,NULL,5,0)");
    const show::ShowCheckReport report = show::CheckShowStore(path);
    ASSERT_EQ(report.cues, 4);
    ASSERT_EQ(
        Kinds(report),
        (std::vector{show::FindingKind::kNullField, show::FindingKind::kNullField,
                     show::FindingKind::kNullField, show::FindingKind::kNullField,
                     show::FindingKind::kAddrNotDecimal, show::FindingKind::kChannelNotDecimal}))
        << "NULL HostIndex, Addr and Channel are not reported as NULL";
    EXPECT_EQ(Text(report.findings[0]), strings::kCheckNullHostName);
    EXPECT_EQ(report.findings[0].sequences, std::vector<int>{1});
    EXPECT_EQ(Text(report.findings[1]),
              strings::FormatText(strings::kCheckNullNumber, "BlastTime"));
    EXPECT_EQ(report.findings[1].sequences, (std::vector<int>{0, 2}));
    EXPECT_EQ(Text(report.findings[2]), strings::FormatText(strings::kCheckNullNumber, "CDCode"));
    EXPECT_EQ(Text(report.findings[3]), strings::FormatText(strings::kCheckNullNumber, "Sector"));
    EXPECT_EQ(report.findings[3].sequences, std::vector<int>{2});

    const std::vector<show::Cue> cues = show::ReadShowFile(path); // reading itself is unchanged
    EXPECT_EQ(cues[0].BlastTime, 0);
    EXPECT_EQ(cues[1].HostName, "");
    EXPECT_TRUE(cues[0].nulls.BlastTime && !cues[0].nulls.CDCode);
    EXPECT_FALSE(cues[3].nulls.Any());
}

// The window checks the show it holds: the cue its store's FireData made
// from a record with NULL is named, unless FireData has changed since.
TEST_F(ShowCheckStore, TheWindowsShowIsCheckedWithItsStoresFireRecords)
{
    const std::string path = dir.File("fire.db");
    editortest::MakeShowStore(path, {Point(0, "A1", "01", "00", 0), Point(1, "A1", "02", "00")});
    testsupport::RunSql(path,
                        "CREATE TABLE FireData(LaunchTimeMS int, Event int, Slat int, Cue int)");
    testsupport::RunSql(path, "INSERT INTO FireData VALUES (NULL,100,1,1),(1000,101,2,1)");
    const std::vector<show::Cue> held = show::ReadShowFile(path);
    const show::ShowCheckReport report = show::CheckShowOfStore(held, path);
    EXPECT_EQ(Only(report, show::FindingKind::kFireRecordNull).sequences, std::vector<int>{0});
    EXPECT_EQ(Text(Only(report, show::FindingKind::kFireRecordNull)),
              strings::kCheckFireNoLaunchTime);
    testsupport::RunSql(path, "UPDATE FireData SET Slat = 3 WHERE Slat = 1"); // another cue now
    EXPECT_EQ(Kinds(show::CheckShowOfStore(held, path)), Kinds(show::CheckShow(held)));
}

TEST_F(ShowCheckStore, EmptyTableIsAnEmptyShow)
{
    const std::string path = dir.File("empty.db");
    editortest::MakeShowStore(path, {});
    EXPECT_EQ(Kinds(show::CheckShowStore(path)), std::vector{show::FindingKind::kEmptyShow});
}

TEST_F(ShowCheckStore, StoreWithoutShowTableIsOneClearError)
{
    const std::string path = dir.File("fireone.db");
    testsupport::MakeEmptySqliteFile(path);
    testsupport::RunSql(path, "CREATE TABLE TB_LAYOUT(FlowID int)");
    const std::optional<show::Failure> failure = testsupport::RaisedFailure(
        [&path] { show::CheckShowStore(path); }, "a store without a show table was checked");
    if (failure) {
        EXPECT_EQ(failure->Code(), show::FailureCode::kNoLayoutTable);
    }
}

TEST_F(ShowCheckStore, UnreadableStoresAreErrorsNotEmptyShows)
{
    const std::string missing = dir.File("missing.db");
    const std::string garbage = dir.File("garbage.db");
    std::ofstream(garbage) << "not a database at all, not even close";
    const std::string noColumn = dir.File("nocolumn.db");
    testsupport::MakeEmptySqliteFile(noColumn);
    testsupport::RunSql(noColumn, "CREATE TABLE tb_Layout(FlowID int, HostName text)");
    testsupport::RunSql(noColumn, "INSERT INTO tb_Layout VALUES(0, 'A1')");
    for (const std::string& path : {missing, garbage, noColumn}) {
        const std::optional<show::Failure> failure =
            testsupport::RaisedFailure([&path] { show::CheckShowStore(path); }, "checked " + path);
        if (!failure)
            continue;
        EXPECT_NE(failure->Code(), show::FailureCode::kNoLayoutTable) << path;
        EXPECT_FALSE(failure->Detail().empty() && failure->Name().empty())
            << "the reason is missing for " << path;
    }
    EXPECT_FALSE(std::filesystem::exists(missing)) << "checking must not create a store";
}

TEST(SheetSummary, OneEntryPerHostWithItsSpanAndModules)
{
    const std::vector<show::SheetSummary> sheet = show::BuildSheetSummaries(
        {Point(0, "B2", "03", "00", 5000), Point(1, "A1", "12", "00", 900),
         Point(2, "B2", "3", "01", 1000), Point(3, "B2", "01", "00", 7000),
         Point(4, "A1", "7A", "00", -20), Point(5, "B2", "99999999999", "00", 6000)});
    ASSERT_EQ(sheet.size(), 2u);
    EXPECT_EQ(sheet[0].host, "A1");
    EXPECT_EQ(sheet[0].cues, 2);
    EXPECT_EQ(sheet[0].firstLaunch, -20);
    EXPECT_EQ(sheet[0].lastLaunch, 900);
    EXPECT_EQ(sheet[0].modules, (std::vector<std::int32_t>{7, 12}));
    EXPECT_EQ(sheet[1].host, "B2");
    EXPECT_EQ(sheet[1].cues, 4);
    EXPECT_EQ(sheet[1].firstLaunch, 1000);
    EXPECT_EQ(sheet[1].lastLaunch, 7000);
    EXPECT_EQ(sheet[1].modules, (std::vector<std::int32_t>{1, 3}));
    EXPECT_TRUE(show::BuildSheetSummaries({}).empty());
}

TEST(SheetSummary, BuildersOfRunsMergedAreTheWholeShowsSummary)
{
    const std::vector<show::Cue> cues = {
        Point(0, "B2", "03", "00", 5000), Point(1, "A1", "12", "00", 900),
        Point(2, "B2", "3", "01", 1000),  Point(3, "C3", "01", "00", 7000),
        Point(4, "A1", "7A", "00", -20),  Point(5, "B2", "4", "00", 6000)};
    const auto fields = [](const std::vector<show::SheetSummary>& sheet) {
        std::vector<std::tuple<std::string, int, int, int, std::vector<std::int32_t>>> all;
        for (const show::SheetSummary& host : sheet)
            all.emplace_back(host.host, host.cues, host.firstLaunch, host.lastLaunch, host.modules);
        return all;
    };
    for (const std::size_t split : {0, 2, 3, 6}) {
        SCOPED_TRACE(split);
        show::SheetSummaryBuilder first, second;
        for (std::size_t i = 0; i < cues.size(); ++i)
            (i < split ? first : second).Add(cues[i]);
        first.Merge(std::move(second));
        EXPECT_EQ(fields(first.Finish()), fields(show::BuildSheetSummaries(cues)));
    }
}

} // namespace
