// An Access table read through the reader process as it streams: its rows
// come whole and in order, a long value that more than one row points at is
// refused as the damage it is, and a failure of the rows' receiver is the
// caller's own.
#include "store/TableCopy.h"
#include "store/access/LongValue.h"
#include "store/engine/AccessDatabase.h"
#include "store/engine/SqliteDatabase.h"
#include "tests/store/AccessFixtures.h"
#include "tests/store/jetgen/Jet4File.h"
#include "tests/support/RaisedText.h"
#include "tests/support/SystemSpecifics.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

using jetgen::Type;

// A note of `bytes` bytes, different for each `seed`.
std::string Note(std::size_t bytes, std::size_t seed)
{
    std::string note;
    note.reserve(bytes);
    for (std::size_t i = 0; note.size() < bytes; ++i)
        note += static_cast<char>('a' + (i * 7 + seed) % 26);
    return note;
}

// FireData with a note for each cue: row i's note is notes(i).
jetgen::Table FireData(std::size_t rows, std::function<std::string(std::size_t)> notes)
{
    jetgen::Table table;
    table.name = "FireData";
    table.columns = {{"FlowID", Type::Long}, {"Effect", Type::Text, 40}, {"Notes", Type::Memo}};
    table.rows = rows;
    table.row = [notes = std::move(notes)](std::size_t i) {
        jetgen::Row row;
        row.values = {static_cast<std::int64_t>(i + 1), "comet " + std::to_string(i), notes(i)};
        return row;
    };
    return table;
}

// What a failed read said.
std::string FailureOf(const std::function<void()>& read)
{
    return testsupport::RaisedText<ado::_com_error>(
        read, [](const ado::_com_error& failure) { return failure.Description(); });
}

class StreamedAccessTable : public ::testing::Test
{
protected:
    std::string Write(const jetgen::Table& table)
    {
        const std::string path = dir.File("show.mdb");
        jetgen::WriteJet4File(path, {table});
        return path;
    }

    static void Stream(const std::string& path, const store::RowSink& sink)
    {
        store::AccessDatabase::Open(path)->StreamTable("FireData", sink);
    }

    void TearDown() override { EXPECT_TRUE(testsupport::EveryChildReaped()); }

    testsupport::TempDir dir;
};

TEST_F(StreamedAccessTable, EveryRowComesWholeAndInOrder)
{
    // Notes inline, on one page and over chains, and an answer of many
    // pieces, its values cut across where the pieces meet.
    const auto notes = [](std::size_t i) {
        return i % 97 == 5 ? Note(70000 + i, i) : Note(i % 400, i);
    };
    const std::size_t rows = 3000;
    const std::string path = Write(FireData(rows, notes));
    std::size_t next = 0;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>& columns) {
        ASSERT_EQ(columns.size(), 3u);
        EXPECT_EQ(columns[2].name, "Notes");
    };
    sink.row = [&](const std::vector<ado::Variant>& row) {
        ASSERT_EQ(row.size(), 3u);
        EXPECT_EQ(row[0], ado::Variant::I4(static_cast<std::int32_t>(next + 1)));
        EXPECT_EQ(row[1], ado::Variant::Bstr("comet " + std::to_string(next)));
        EXPECT_EQ(row[2].bstrVal(), notes(next)) << next;
        ++next;
    };
    Stream(path, sink);
    EXPECT_EQ(next, rows);
}

TEST_F(StreamedAccessTable, TheImportCopiesEveryRowIntoTheStore)
{
    const auto notes = [](std::size_t i) { return Note(i % 3 == 0 ? 9000 : 30, i); };
    const std::string path = Write(FireData(200, notes));
    const auto target = store::SqliteDatabase::CreateNew(dir.File("show.db"));
    target->Execute("BEGIN");
    store::StreamTableCopy(*store::AccessDatabase::Open(path), "FireData", *target);
    target->Execute("COMMIT");
    const store::RowSet copied =
        target->Query("SELECT FlowID, Notes FROM FireData ORDER BY FlowID");
    ASSERT_EQ(copied.rows.size(), 200u);
    for (std::size_t i = 0; i < copied.rows.size(); ++i) {
        EXPECT_EQ(copied.rows[i][0].lVal(), static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(copied.rows[i][1].bstrVal(), notes(i)) << i;
    }
}

TEST_F(StreamedAccessTable, RowsSharingOneMemoChainAreRefusedNamingTheTableAndPage)
{
    // Every row's note points at the chain the first one wrote.
    jetgen::Table table = FireData(530, [](std::size_t) { return Note(100000, 0); });
    table.shareLongValues = true;
    const std::string path = Write(table);
    std::size_t rows = 0;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>&) {};
    sink.row = [&](const std::vector<ado::Variant>&) { ++rows; };
    const std::string failure = FailureOf([&] { Stream(path, sink); });

    const std::regex said("table 'FireData', page [0-9]+: the long value at page ([0-9]+) is "
                          "shared by two rows, which Access never does: the file is damaged\\.$");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(failure, match, said)) << failure;
    EXPECT_LE(rows, 1u);
    // The page named is where the chain begins: a long-value page.
    const std::string bytes = accessfixtures::Bytes(path);
    const std::size_t page = std::stoul(match[1]) * 4096;
    ASSERT_LT(page, bytes.size());
    EXPECT_EQ(bytes[page], '\x01');
    EXPECT_EQ(bytes.substr(page + 4, 4), "LVAL");
}

TEST_F(StreamedAccessTable, EqualNotesOfTheirOwnAreNoDamage)
{
    const std::string path = Write(FireData(20, [](std::size_t) { return Note(100000, 0); }));
    std::size_t rows = 0;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>&) {};
    sink.row = [&](const std::vector<ado::Variant>& row) {
        EXPECT_EQ(row[2].bstrVal().size(), 100000u);
        ++rows;
    };
    Stream(path, sink);
    EXPECT_EQ(rows, 20u);
}

TEST_F(StreamedAccessTable, AValueOverTheLimitIsRefusedNamingTheTableAndItsSize)
{
    jetgen::Table table;
    table.name = "FireData";
    table.columns = {{"FlowID", Type::Long}, {"Picture", Type::Ole}};
    table.rows = 2;
    table.row = [](std::size_t i) {
        jetgen::Row row;
        row.values = {static_cast<std::int64_t>(i),
                      std::string(jet::kMaxLongValueBytes + i, static_cast<char>('x' + i))};
        return row;
    };
    const std::string path = Write(table);
    std::vector<std::size_t> sizes;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>&) {};
    sink.row = [&](const std::vector<ado::Variant>& row) {
        sizes.push_back(row[1].bstrVal().size());
    };
    const std::string failure = FailureOf([&] { Stream(path, sink); });
    EXPECT_NE(failure.find("table 'FireData', page "), std::string::npos) << failure;
    EXPECT_NE(failure.find(": a Memo or OLE value of 8388609 bytes is longer than the 8 MiB this "
                           "program reads."),
              std::string::npos)
        << failure;
    // The value of the longest size allowed came whole, or not at all.
    for (const std::size_t size : sizes)
        EXPECT_EQ(size, jet::kMaxLongValueBytes);
}

TEST_F(StreamedAccessTable, AFailureOfTheReceiverPassesUnchanged)
{
    const std::string path = Write(FireData(3000, [](std::size_t i) { return Note(300, i); }));
    std::size_t rows = 0;
    store::RowSink sink;
    sink.columns = [](const std::vector<store::ColumnInfo>&) {};
    sink.row = [&](const std::vector<ado::Variant>&) {
        if (++rows == 10)
            throw ado::_com_error(ado::E_FAIL, "SQLite", "database or disk is full");
    };
    try {
        Stream(path, sink);
        FAIL() << "the read went on";
    } catch (const ado::_com_error& failure) {
        EXPECT_EQ(failure.Source(), "SQLite");
        EXPECT_EQ(failure.Description(), "database or disk is full");
    }
    EXPECT_EQ(rows, 10u);
}

} // namespace
