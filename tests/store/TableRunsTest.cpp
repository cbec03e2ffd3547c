#include "store/engine/SqliteDatabase.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using testsupport::TempDir;

// A file whose table t holds x = 0 .. count - 1, every seventh row taken out
// again, so that its keys have gaps.
std::unique_ptr<store::SqliteDatabase> NumbersFile(const TempDir& dir, int count)
{
    auto db = store::SqliteDatabase::CreateNew(dir.File("runs.db"));
    db->Execute("CREATE TABLE t(x int)");
    db->Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                std::to_string(count - 1) + ") INSERT INTO t SELECT i FROM n");
    db->Execute("DELETE FROM t WHERE x % 7 = 3");
    return db;
}

// What each of `runs` sinks took of t, and how many runs the engine read.
struct RunsRead
{
    std::vector<std::vector<int>> rows;
    std::size_t runs = 0;
};

RunsRead ReadRuns(store::SqliteDatabase& db, std::size_t runs,
                  const std::function<void(std::size_t run, int x)>& also = {})
{
    RunsRead read;
    read.rows.resize(runs);
    std::vector<store::RowSink> sinks(runs);
    std::vector<const store::RowSink*> order;
    for (std::size_t r = 0; r < runs; ++r) {
        sinks[r].columns = [](const std::vector<store::ColumnInfo>&) {};
        sinks[r].row = [&read, &also, r](const std::vector<ado::Variant>& row) {
            read.rows[r].push_back(row.at(0).lVal());
            if (also)
                also(r, row.at(0).lVal());
        };
        order.push_back(&sinks[r]);
    }
    read.runs = db.StreamTableInRuns("t", order);
    return read;
}

std::vector<int> Joined(const RunsRead& read)
{
    std::vector<int> all;
    for (const std::vector<int>& run : read.rows)
        all.insert(all.end(), run.begin(), run.end());
    return all;
}

std::vector<int> InOne(store::SqliteDatabase& db)
{
    return ReadRuns(db, 1).rows.front();
}

TEST(TableRuns, EachRunTakesTheNextStretchOfTheTablesOrder)
{
    TempDir dir;
    auto db = NumbersFile(dir, 50000);
    db->Execute("UPDATE t SET x = -x WHERE x % 1000 = 1"); // the order is the rows', not x's
    const std::vector<int> table = InOne(*db);
    for (const std::size_t runs : {2u, 3u}) {
        SCOPED_TRACE(runs);
        const RunsRead read = ReadRuns(*db, runs);
        EXPECT_EQ(read.runs, runs);
        for (const std::vector<int>& run : read.rows)
            EXPECT_GT(run.size(), 10000u);
        EXPECT_EQ(Joined(read), table);
    }
}

TEST(TableRuns, AreReadInOneWhereTheOtherConnectionsCouldNotSeeWhatThisOneSees)
{
    TempDir dir;
    auto db = NumbersFile(dir, 30000);
    // Rows not yet committed are this connection's alone.
    db->BeginTransaction();
    db->Execute("INSERT INTO t VALUES (-1)");
    RunsRead read = ReadRuns(*db, 2);
    EXPECT_EQ(read.runs, 1u);
    EXPECT_EQ(read.rows.front().back(), -1);
    EXPECT_TRUE(read.rows.back().empty());
    db->RollbackTransaction();
    // A small table is not worth a thread; a view has no keys to part.
    db->Execute("DELETE FROM t WHERE x > 10000");
    EXPECT_EQ(ReadRuns(*db, 2).runs, 1u);
    db->Execute("ALTER TABLE t RENAME TO numbers");
    db->Execute("CREATE VIEW t AS SELECT x FROM numbers");
    EXPECT_EQ(ReadRuns(*db, 2).runs, 1u);
    // In WAL mode each connection reads a state of the file of its own.
    TempDir walDir;
    auto wal = NumbersFile(walDir, 30000);
    wal->Execute("PRAGMA journal_mode=WAL");
    read = ReadRuns(*wal, 2);
    EXPECT_EQ(read.runs, 1u);
    EXPECT_EQ(read.rows.front(), InOne(*wal));
}

TEST(TableRuns, AnotherFilePutAtThePathSinceIsNotRead)
{
    TempDir dir, otherDir;
    auto db = NumbersFile(dir, 30000);
    NumbersFile(otherDir, 40000).reset();
    std::error_code error;
    std::filesystem::rename(otherDir.File("runs.db"), dir.File("runs.db"), error);
    if (error)
        GTEST_SKIP() << "a file in use cannot be replaced here: " << error.message();
    const RunsRead read = ReadRuns(*db, 2);
    EXPECT_EQ(read.runs, 1u);
    EXPECT_EQ(read.rows.front().size(), 25714u); // this file's rows, every seventh taken out
}

TEST(TableRuns, RaiseTheFirstFailureInTheTablesOrderOnceTheRunsBeforeItAreWhole)
{
    TempDir dir;
    auto db = NumbersFile(dir, 40000);
    const auto failing = [&](std::size_t failingRun) {
        try {
            ReadRuns(*db, 3, [&](std::size_t run, int) {
                if (run >= failingRun)
                    throw std::runtime_error("run " + std::to_string(run));
            });
        } catch (const std::runtime_error& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(failing(1), "run 1");
    EXPECT_EQ(failing(0), "run 0");
    // A later run's failure waits for the earlier runs' rows.
    std::size_t firstRows = 0;
    EXPECT_THROW(ReadRuns(*db, 2,
                          [&](std::size_t run, int) {
                              if (run == 0)
                                  ++firstRows;
                              else
                                  throw std::runtime_error("run 1");
                          }),
                 std::runtime_error);
    EXPECT_EQ(firstRows, ReadRuns(*db, 2).rows.front().size());
    // The file is left free: a write goes through.
    db->Execute("INSERT INTO t VALUES (1)");
}

} // namespace
