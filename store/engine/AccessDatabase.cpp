#include "store/engine/AccessDatabase.h"

#include "store/engine/AccessQueryCopy.h"
#include "store/engine/MdbReaderLocation.h"
#include "store/engine/MdbReaderOutput.h"
#include "store/engine/MdbReaderProtocol.h"
#include "store/engine/MdbReaderStream.h"
#include "store/engine/SqliteDatabase.h"

#include <cctype>
#include <exception>
#include <strings.h>

namespace store {

namespace {
constexpr char kSource[] = "Access database reader";
constexpr int kExitCannotStart = 127;

// The first word of a statement, in capitals.
std::string FirstWord(const std::string& sql)
{
    std::size_t i = 0;
    while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '('))
        ++i;
    std::string word;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
    return word;
}

bool OnlyReads(const std::string& sql)
{
    const std::string word = FirstWord(sql);
    return word == "SELECT" || word == "WITH" || word == "VALUES";
}

void CheckExitStatus(int status)
{
    if (status == kExitCannotStart)
        RaiseReaderFailure("the reader program could not be started");
    if (status != mdbproto::kExitAnswered && status != mdbproto::kExitFailed)
        RaiseReaderFailure("the reader failed (exit status " + std::to_string(status) + ")");
}

// A failure of the rows' receiver, carried past the reader's failures.
struct SinkFailure
{
    std::exception_ptr error;
};

// `call`, its failures wrapped.
template <typename Call> void InSink(const Call& call)
{
    try {
        call();
    } catch (...) {
        throw SinkFailure{std::current_exception()};
    }
}
} // namespace

AccessDatabase::AccessDatabase(std::string path, MdbReaderLimits limits, std::string readerProgram)
    : path_(std::move(path)), limits_(limits), reader_(std::move(readerProgram))
{
}

AccessDatabase::~AccessDatabase() = default;

std::unique_ptr<AccessDatabase> AccessDatabase::Open(const std::string& path,
                                                     const MdbReaderLimits& limits,
                                                     std::string readerProgram)
{
    std::unique_ptr<AccessDatabase> database(
        new AccessDatabase(path, limits, std::move(readerProgram)));
    if (database->reader_.empty()) {
        database->reader_ = LocateMdbReader();
        if (database->reader_.empty()) {
            std::string places;
            for (const std::string& candidate : MdbReaderCandidates())
                places += (places.empty() ? "" : ", ") + candidate;
            database->RaiseUnreadable(std::string("the reader program ") + kMdbReaderProgram +
                                      " is not installed (looked for " + places + ")");
        }
    }
    try {
        database->Ask("catalogue", {}, [&](const AnswerSource& answer) {
            database->tables_ = ParseCatalogueAnswer(answer);
        });
    } catch (const ado::_com_error& failure) {
        database->RaiseUnreadable(failure.what());
    }
    return database;
}

std::string AccessDatabase::SourceName() const
{
    return kSource;
}

void AccessDatabase::RaiseUnreadable(const std::string& reason) const
{
    throw ado::_com_error(ado::E_FAIL, kSource,
                          "The file '" + path_ +
                              "' could not be read as an Access database: " + reason + ".");
}

std::string AccessDatabase::ReadOnlyReason() const
{
    return "Cannot update. The Access database file '" + path_ +
           "' is read-only here: this program reads Access files but does not change them.";
}

ado::_com_error AccessDatabase::RefusedChange() const
{
    return ado::_com_error(ado::E_FAIL, kSource, ReadOnlyReason());
}

void AccessDatabase::MarkReadOnly(RowSet& rows) const
{
    rows.writable = false;
    rows.keys.clear();
    rows.readOnlySource = kSource;
    rows.readOnlyReason = ReadOnlyReason();
}

void AccessDatabase::Ask(const std::string& question, const std::vector<std::string>& more,
                         const std::function<void(const AnswerSource&)>& read) const
{
    std::vector<std::string> arguments{question, path_};
    arguments.insert(arguments.end(), more.begin(), more.end());
    MdbReaderStream reader(reader_, arguments, limits_);
    const AnswerSource source = [&reader](std::string& into, std::size_t most) {
        return reader.Read(into, most);
    };
    try {
        read(source);
    } catch (const ado::_com_error&) {
        // An answer cut short by a crash is the crash.
        if (!reader.Failed())
            CheckExitStatus(reader.End());
        throw;
    }
    CheckExitStatus(reader.End());
}

const TableEntry& AccessDatabase::FindTable(const std::string& name) const
{
    const TableEntry* caseless = nullptr;
    for (const TableEntry& table : tables_) {
        if (table.name == name)
            return table;
        if (!caseless && strcasecmp(table.name.c_str(), name.c_str()) == 0)
            caseless = &table;
    }
    if (!caseless)
        throw ado::_com_error(ado::DB_E_NOTABLE, kSource,
                              "The table '" + name +
                                  "' does not exist in the Access database "
                                  "file '" +
                                  path_ + "'.");
    return *caseless;
}

const RowSet& AccessDatabase::ReadTable(const std::string& exactName)
{
    if (const auto cached = tableCache_.find(exactName); cached != tableCache_.end())
        return cached->second;
    RowSet rows;
    try {
        Ask("table", {exactName},
            [&](const AnswerSource& answer) { rows = ParseTableAnswer(answer); });
    } catch (const ado::_com_error& failure) {
        RaiseUnreadable(failure.what());
    }
    rows.table = exactName;
    MarkReadOnly(rows);
    return tableCache_.emplace(exactName, std::move(rows)).first->second;
}

RowSet AccessDatabase::OpenTable(const std::string& name)
{
    return ReadTable(FindTable(name).name);
}

void AccessDatabase::StreamTable(const std::string& name, const RowSink& sink)
{
    const std::string& exactName = FindTable(name).name;
    if (tableCache_.count(exactName)) {
        DatabaseEngine::StreamTable(exactName, sink);
        return;
    }
    // A failure of the rows' receiver (a full disk, say) passes as it is; only
    // the reader's own failures mean the Access file cannot be read.
    RowSink guarded;
    guarded.columns = [&](const std::vector<ColumnInfo>& described) {
        if (sink.columns)
            InSink([&] { sink.columns(described); });
    };
    guarded.row = [&](const std::vector<ado::Variant>& row) {
        InSink([&] { DeliverRow(sink, row); });
    };
    try {
        Ask("table", {exactName},
            [&](const AnswerSource& answer) { StreamTableAnswer(answer, guarded); });
    } catch (const SinkFailure& failure) {
        std::rethrow_exception(failure.error);
    } catch (const ado::_com_error& failure) {
        RaiseUnreadable(failure.what());
    }
}

std::vector<TableEntry> AccessDatabase::ListTables()
{
    return tables_;
}

RowSet AccessDatabase::Query(const std::string& sql)
{
    if (!OnlyReads(sql))
        throw RefusedChange();
    if (!queryEngine_)
        queryEngine_ = SqliteDatabase::OpenInMemory();
    try {
        for (const std::string& name : TablesNamedIn(sql, tables_)) {
            if (copied_.count(name))
                continue;
            const RowSet& rows = ReadTable(name);
            queryEngine_->Execute("PRAGMA query_only = OFF");
            CopyTableInto(*queryEngine_, name, rows);
            copied_.insert(name);
        }
        // The copy is only ever read: a statement that would change it fails.
        queryEngine_->Execute("PRAGMA query_only = ON");
        RowSet rows = queryEngine_->Query(sql);
        MarkReadOnly(rows);
        return rows;
    } catch (const ado::_com_error& error) {
        if (error.Source() == kSource)
            throw;
        // The copy's own engine is no business of the caller's.
        throw ado::_com_error(error.Error(), kSource, error.Description());
    }
}

} // namespace store
