// The command line's own pieces: row lists, ADDR:PORT, the terminal's view
// of a download and its tables.
#include "messages/ErrorRecord.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "tools/cli/AddressPort.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/PlanEntryText.h"
#include "tools/cli/RowList.h"
#include "tools/cli/TargetOption.h"
#include "tools/cli/TerminalDownloadView.h"
#include "tools/cli/TextTable.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using cli::ParseRowList;
using cli::RowsWithin;

std::vector<int> Rows(const std::string& text, int cueRows)
{
    int outOfRange = 0;
    const auto ranges = ParseRowList(text);
    if (!ranges)
        return {-1};
    return RowsWithin(*ranges, cueRows, outOfRange).value_or(std::vector<int>{-2, outOfRange});
}

TEST(RowList, ListsAndRangesGiveEachRowOnceInOrder)
{
    EXPECT_EQ(Rows("1-4,52", 60), (std::vector<int>{1, 2, 3, 4, 52}));
    EXPECT_EQ(Rows("5,2-3,3", 5), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(Rows("7-7", 7), std::vector<int>{7});
}

TEST(RowList, TextsThatAreNoListAreRefused)
{
    for (const char* text :
         {"", "0", "1,", ",1", "3-1", "1-", "-2", "a", "1 2", "+1", "1--2", "99999999999"})
        EXPECT_FALSE(ParseRowList(text)) << '"' << text << '"';
}

TEST(RowList, RowsPastTheShowNameTheFirstOneMissing)
{
    EXPECT_EQ(Rows("1,4", 3), (std::vector<int>{-2, 4}));
    EXPECT_EQ(Rows("2-2000000000", 3), (std::vector<int>{-2, 4}));
    EXPECT_EQ(Rows("1", 0), (std::vector<int>{-2, 1}));
}

TEST(AddressPort, DottedAddressAndPortOnly)
{
    const auto parsed = cli::ParseAddressPort("127.0.0.2:10061", false);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->address, "127.0.0.2");
    EXPECT_EQ(parsed->port, 10061);
    for (const char* text : {"127.0.0.1", "127.0.0.1:", ":80", "localhost:80", "127.0.0.1:65536",
                             "127.0.0.1:-1", "127.0.0.1:80x", "127.1:80", "127.0.0.1:0"})
        EXPECT_FALSE(cli::ParseAddressPort(text, false)) << text;
    EXPECT_TRUE(cli::ParseAddressPort("127.0.0.1:0", true)) << "a listener may take any port";
}

// Nothing is sent here: the option is only read. An empty --target is a
// usage error like any other that is no address: only none means the field.
TEST(TargetOption, AnEmptyTargetIsNeverTheFieldsAddress)
{
    EXPECT_EQ(cli::LinkOptionsFor(std::nullopt).addressPattern, "192.168.10.%i");
    for (const char* text : {"", " ", "127.0.0.1", "5=127.0.0.1:1"})
        EXPECT_THROW(cli::LinkOptionsFor(std::string(text)), cli::UsageError) << "'" << text << "'";
    for (const char* text : {"", " ", "5=", "=127.0.0.1:1", "127.0.0.1:1"})
        EXPECT_THROW(cli::ParseFieldTargets({text}), cli::UsageError) << "'" << text << "'";
}

std::string Written(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

TEST(TerminalDownloadView, DrawsABarInPlaceOnATerminal)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    cli::TerminalDownloadView view(true, out);
    view.ShowProgress(50);
    view.ShowProgress(50);
    view.ShowProgress(100);
    view.SetEndText("download end...");
    view.EndBarLine(); // no bar open: nothing to end
    view.ShowProgress(7);
    view.EndBarLine();
    EXPECT_EQ(Written(out), "\r[" + std::string(20, '#') + std::string(20, '.') +
                                "] downloaded：50％\r[" + std::string(40, '#') +
                                "] downloaded：100％\ndownload end...\n\r[" + std::string(2, '#') +
                                std::string(38, '.') + "] downloaded：7％\n");
    std::fclose(out);
}

TEST(TerminalDownloadView, WritesEachNewStepOnceElsewhere)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    cli::TerminalDownloadView view(false, out);
    for (const int percent : {33, 33, 100})
        view.ShowProgress(percent);
    hostlink::DownloadResult cancelled;
    cancelled.status = hostlink::DownloadResult::kCancelled;
    view.ShowEnd(cancelled);
    EXPECT_EQ(Written(out), "downloaded：33％\ndownloaded：100％\ncancel download...\n");
    std::fclose(out);
}

TEST(TerminalDownloadView, ACompletedDownloadEndsWithItsTotal)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    cli::TerminalDownloadView view(false, out);
    view.ShowProgress(100);
    hostlink::DownloadResult completed;
    completed.acknowledged = 2;
    view.ShowEnd(completed);
    EXPECT_EQ(Written(out),
              "downloaded：100％\ndownload end...\ndownload total：2fire record...\n");
    std::fclose(out);
}

TEST(TextTable, AlignsWideCharactersAndQuotesCsv)
{
    std::ostringstream aligned;
    cli::WriteAligned(aligned, {{"Host", "Cues"}, {"北岸", "1"}, {"A", ""}});
    EXPECT_EQ(aligned.str(), "Host  Cues\n北岸  1\nA\n");
    std::ostringstream csv;
    cli::WriteCsv(csv, {{"a,b", "say \"hi\"", "plain", "two\nlines"}});
    EXPECT_EQ(csv.str(), "\"a,b\",\"say \"\"hi\"\"\",plain,\"two\nlines\"\n");
}

} // namespace

TEST(TerminalText, ControlCharactersAndBytesThatAreNotUtf8AreEscaped)
{
    using show::EscapeControlCharacters;
    using show::HasControlCharacter;
    for (const char* bad : {"A\nB", "A\tB", "\x1b[2J", "A\x7f", "A\xc2\x9b", "A\x9b", "\x07"})
        EXPECT_TRUE(show::HasControlCharacter(bad)) << bad;
    EXPECT_FALSE(show::HasControlCharacter("北岸-1 A"));
    EXPECT_EQ(show::EscapeControlCharacters("X\x1b]0;t\x07Y"), "X\\x1b]0;t\\x07Y");
    EXPECT_EQ(show::EscapeControlCharacters("北\xc2\x85\xff"), "北\\x85\\xff");
    EXPECT_EQ(show::EscapeControlCharacters("a\nb\tc", "\n"), "a\nb\\x09c");
}

TEST(TerminalText, TheErrorRecordComesAfterTheMessageAndTheDescription)
{
    const std::string record =
        "Connection String = Provider=X;Data Source=s.db\n"
        "CADODataBase Error\n\tCode = 80004005\n\tCode meaning = Unspecified\n"
        "\tSource = SQLite\n\tDescription = s.db is locked\n";
    EXPECT_EQ(messages::CondenseErrorDump("cannot be written!\n" + record, "", false),
              "cannot be written!\ns.db is locked");
    EXPECT_EQ(messages::CondenseErrorDump(record, "cannot be read!", true),
              "cannot be read!\ns.db is locked\n" + record.substr(0, record.size() - 1));
    EXPECT_EQ(messages::CondenseErrorDump("plain message", "headline", true), "plain message");
}

// A record that travels apart from its message reads as the two did glued
// together, but says its description once.
TEST(TerminalText, ARecordKeptApartReadsAsTheMessageAndItsDescription)
{
    const std::string record = "CADODataBase Error\n\tCode = 80004005\n\tCode meaning = "
                               "Unspecified\n\tSource = SQLite\n\tDescription = disk full\n";
    const messages::SplitMessage apart = messages::ForReader("cannot be written!", record);
    const messages::SplitMessage glued =
        messages::SplitErrorRecord("cannot be written!\n" + record);
    EXPECT_EQ(apart.text, glued.text);
    EXPECT_EQ(apart.record, glued.record);
    EXPECT_EQ(messages::ForReader("", record, "cannot be read!").text,
              "cannot be read!\ndisk full");
    EXPECT_EQ(messages::ForReader("cannot be written!\ndisk full", record).text,
              "cannot be written!\ndisk full");
}

// The prompt gets the record as a field of its own.
TEST(FailureTexts, TheRecordGoesToThePromptApart)
{
    struct Recording : prompt::Prompt
    {
        std::string text, details;
        void ShowMessage(const std::string&, prompt::MessageIcon) override { ADD_FAILURE(); }
        void ShowMessage(const std::string& t, prompt::MessageIcon, const std::string& d) override
        {
            text = t;
            details = d;
        }
        bool AskYesNo(const std::string&) override { return false; }
        std::optional<std::string> ChooseOpenFile(const prompt::FileChoice&) override { return {}; }
        std::optional<std::string> ChooseSaveFile(const prompt::FileChoice&) override { return {}; }
    } prompt;
    const std::string record = "CADODataBase Error\n\tCode = 1\n\tDescription = locked\n";
    messages::ShowFailure(
        prompt, show::Failure(show::FailureCode::kDatabase).WithDetail("locked").WithRecord(record),
        messages::Doing::kSaving);
    EXPECT_EQ(prompt.details, record);
    EXPECT_EQ(prompt.text, strings::FormatText(strings::kSaveFailed, "locked"));
}

// A step of the import that reads as Open is said in Open's words, whoever
// shows it; an inner step keeps its own.
TEST(FailureTexts, AFailureInAStepIsSaidInTheStepsWords)
{
    using messages::Doing;
    const show::Failure unread = show::Failure(show::FailureCode::kDatabase).WithDetail("locked");
    const auto raised = [](const auto& work) {
        try {
            work();
        } catch (const show::Failure& failure) {
            return messages::FailureText(failure, Doing::kImporting);
        }
        return std::string();
    };
    EXPECT_EQ(raised([&] { throw unread; }), strings::FormatText(strings::kImportFailed, "locked"));
    EXPECT_EQ(raised([&] { messages::InStep(Doing::kOpening, [&] { throw unread; }); }),
              strings::FormatText(strings::kOpenFailed, "locked"));
    EXPECT_EQ(raised([&] {
                  messages::InStep(Doing::kSaving, [&] {
                      messages::InStep(Doing::kOpening, [&] { throw unread; });
                  });
              }),
              strings::FormatText(strings::kOpenFailed, "locked"));
}

TEST(FailureTexts, EveryCodeHasItsTextInEveryActivity)
{
    const std::vector<show::FailureCode> codes = show::EveryFailureCode();
    EXPECT_EQ(codes.back(), show::FailureCode::kFireOneNotRead) << "the last code there is";
    for (const show::FailureCode code : codes) {
        EXPECT_STRNE(show::FailureCodeName(code), "unknown");
        for (int doing = 0; doing <= static_cast<int>(messages::Doing::kSettingHost); ++doing)
            EXPECT_FALSE(messages::FailureText(show::Failure(code), messages::Doing(doing)).empty())
                << show::FailureCodeName(code) << " while doing " << doing;
    }
}

// One code for a store that cannot be made, with the folder when that is what
// refused it; a FireOne value is named by its code, never by its field's name.
TEST(FailureTexts, ImportFailuresAreToldByTheirCodes)
{
    using show::Failure;
    using show::FailureCode;
    const auto text = [](const Failure& failure) {
        return messages::FailureText(failure, messages::Doing::kImporting);
    };
    EXPECT_EQ(text(Failure(FailureCode::kStoreNotCreated).WithDetail("disk full")),
              strings::FormatText(strings::kImportStoreNotCreated, "disk full"));
    EXPECT_EQ(
        text(Failure(FailureCode::kStoreNotCreated).WithName("/shows").WithDetail("denied")),
        strings::FormatText(
            strings::kImportStoreNotCreated,
            strings::FormatText(strings::kStoreFolderNotWritable, "/shows", "denied").c_str()));
    EXPECT_EQ(text(Failure(FailureCode::kFireOneTimeNotWhole)
                       .WithRow(3)
                       .WithName("LaunchTimeMS")
                       .WithOther("1.5")),
              strings::FormatText(strings::kImportFractionalTime, 3, "1.5"));
    EXPECT_EQ(
        text(Failure(FailureCode::kFireOneNotWhole).WithRow(3).WithName("Slat").WithOther("1.5")),
        strings::FormatText(strings::kImportFractionalValue, 3, "Slat", "1.5"));
}
