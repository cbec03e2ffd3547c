// A table read in runs of its keys at the same time, one connection and one
// thread for each run: a field's show is a quarter of a million rows, and
// the reading of each row's fields, here and by its reader, is most of the
// time of `status` and `hosts`.
#include "store/engine/SqliteDatabase.h"
#include "store/engine/SqliteStatement.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <sqlite3.h>
#include <string_view>
#include <thread>

namespace store {

namespace {

// Fewer rows than this are read on one thread: a connection of its own for a
// run costs more than it saves.
constexpr std::size_t kLeastRowsInRuns = 20'000;

// The threads reading the runs after the first, and their outcomes. Leaving
// stops those still reading and waits for them, so no thread outlives the
// connections and sinks it uses.
class RunThreads
{
public:
    explicit RunThreads(std::size_t runs) : failures_(runs) {}
    ~RunThreads() { StopAndJoin(0); }
    RunThreads(const RunThreads&) = delete;
    RunThreads& operator=(const RunThreads&) = delete;

    void Start(std::size_t run, sqlite3* connection, std::function<void()> read)
    {
        connections_.push_back(connection);
        threads_.emplace_back([this, run, read = std::move(read)] {
            try {
                read();
            } catch (...) {
                failures_[run] = std::current_exception();
            }
        });
    }
    void Fail(std::size_t run, std::exception_ptr failure) { failures_[run] = std::move(failure); }

    // Waits for every run; raises the first failure in the runs' order, the
    // runs after it stopped at once.
    void Finish()
    {
        for (std::size_t run = 0; run < failures_.size(); ++run) {
            if (run > 0)
                threads_[run - 1].join();
            if (failures_[run]) {
                StopAndJoin(run);
                std::rethrow_exception(failures_[run]);
            }
        }
    }

private:
    // Stops the threads of the runs after `run` and waits for all.
    void StopAndJoin(std::size_t run)
    {
        for (std::size_t t = run; t < threads_.size(); ++t)
            if (threads_[t].joinable())
                sqlite3_interrupt(connections_[t]);
        for (std::thread& thread : threads_)
            if (thread.joinable())
                thread.join();
    }

    std::vector<std::exception_ptr> failures_; // [0]: the first run, read here
    std::vector<sqlite3*> connections_;        // of the threads, in order
    std::vector<std::thread> threads_;         // the runs after the first
};

// Whether the file's journal lets one state of it be held by several
// connections at once: with a rollback journal, a writer cannot commit while
// any of them reads. In WAL mode each reader keeps a state of its own.
bool HeldByReaders(const SqliteDatabase& db)
{
    try {
        SqliteStatement mode(db, "PRAGMA main.journal_mode");
        if (!mode.Step("reading the journal mode"))
            return false;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(mode.get(), 0));
        return text && std::string_view(text) != "wal";
    } catch (const ado::_com_error&) {
        return false; // read in one, as ever
    }
}

// The table's least and greatest key, and the file's pages and its
// schema's version, which tell another file put at the same path.
struct FileMark
{
    std::int64_t least = 0, greatest = 0, pages = 0, schema = 0;
    bool operator==(const FileMark&) const = default;
};

// What the key span statement gives; none when the table has no rows or the
// statement fails.
std::optional<FileMark> ReadFileMark(const SqliteDatabase& db, const std::string& keySpanSql)
{
    try {
        SqliteStatement span(db, keySpanSql);
        if (!span.Step("finding the keys") || sqlite3_column_type(span.get(), 0) == SQLITE_NULL)
            return std::nullopt;
        const auto at = [&span](int column) { return sqlite3_column_int64(span.get(), column); };
        return FileMark{at(0), at(1), at(2), at(3)};
    } catch (const ado::_com_error&) {
        return std::nullopt;
    }
}

} // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::OpenRunReader() const
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    // Its lock taken now, without waiting: a writer that waits for the first
    // connection to finish already stands in its way.
    if (sqlite3_exec(db, "PRAGMA cache_size=-256; BEGIN; SELECT count(*) FROM sqlite_schema",
                     nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    return std::unique_ptr<SqliteDatabase>(new SqliteDatabase(db, path_));
}

void SqliteDatabase::StreamKeyRange(const TableSelect& select, std::int64_t first,
                                    std::int64_t last, const RowSink& sink, std::size_t expected)
{
    SqliteStatement statement(*this, select.rangeSql);
    statement.BindKey(1, first);
    statement.BindKey(2, last);
    StreamSelected(statement, select, sink, expected);
    if (sink.finished)
        sink.finished();
}

std::size_t SqliteDatabase::ReadInRuns(const TableSelect& select,
                                       const std::vector<const RowSink*>& runs)
{
    const auto inOne = [&] {
        StreamWhole(select, *runs.front());
        if (runs.front()->finished)
            runs.front()->finished();
        return std::size_t{1};
    };
    if (!select.keyed)
        return inOne();
    // The file as it is now is what every run reads: this connection's read
    // transaction keeps any writer from committing until all are done.
    RunSimple("BEGIN");
    struct EndRead
    {
        SqliteDatabase& db;
        ~EndRead()
        {
            if (!sqlite3_get_autocommit(db.db_))
                sqlite3_exec(db.db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    } endRead{*this};
    const std::size_t rows = CountRows(select.countSql);
    if (rows < kLeastRowsInRuns || !HeldByReaders(*this))
        return inOne();
    const std::optional<FileMark> mark = ReadFileMark(*this, select.keySpanSql);
    if (!mark)
        return inOne();
    const std::int64_t least = mark->least, greatest = mark->greatest;
    std::vector<std::unique_ptr<SqliteDatabase>> readers;
    while (readers.size() + 1 < runs.size()) {
        // The same file, as this connection's read keeps it: not another put
        // in its place since this one opened it.
        std::unique_ptr<SqliteDatabase> reader = OpenRunReader();
        if (!reader || ReadFileMark(*reader, select.keySpanSql) != mark)
            break;
        readers.push_back(std::move(reader));
    }
    const std::size_t count = readers.size() + 1;
    // Runs of equal spans of keys; the arithmetic wraps, so that the span
    // of any two 64-bit keys fits.
    const std::uint64_t step = (static_cast<std::uint64_t>(greatest) - least) / count;
    if (count < 2 || step == 0)
        return inOne();
    const auto first = [&](std::size_t run) {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(least) + run * step);
    };
    const auto last = [&](std::size_t run) {
        return run + 1 == count ? greatest : static_cast<std::int64_t>(first(run + 1) - 1);
    };
    const std::size_t expected = rows / count + 1; // a hint
    RunThreads threads(count);
    for (std::size_t run = 1; run < count; ++run) {
        SqliteDatabase& reader = *readers[run - 1];
        threads.Start(run, reader.db_, [&, run] {
            reader.StreamKeyRange(select, first(run), last(run), *runs[run], expected);
        });
    }
    try {
        StreamKeyRange(select, first(0), last(0), *runs.front(), expected);
    } catch (...) {
        threads.Fail(0, std::current_exception());
    }
    threads.Finish();
    return count;
}

} // namespace store
