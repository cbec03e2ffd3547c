#pragma once

#include "store/engine/AnswerCursor.h"
#include "store/engine/DatabaseEngine.h"
#include "store/engine/MdbReaderProcess.h"

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace store {

// The Access engine: Jet 3 and Jet 4 files, read-only. The file is read by a
// helper program (tavrin-mdb-reader, over store/access) started for each
// read: a second wall, so that whatever a malformed file does to the reader
// stays outside the program. Queries run on an in-memory SQLite copy of the
// tables they name.
class AccessDatabase final : public DatabaseEngine
{
public:
    // Opens the file and reads its catalogue; raises on a file the reader
    // cannot read as an Access database. `readerProgram` empty: the installed
    // reader (see MdbReaderLocation.h).
    static std::unique_ptr<AccessDatabase> Open(const std::string& path,
                                                const MdbReaderLimits& limits = {},
                                                std::string readerProgram = {});
    ~AccessDatabase() override;

    std::string SourceName() const override;
    bool IsReadOnlyFormat() const override { return true; }
    RowSet Query(const std::string& sql) override;
    RowSet OpenTable(const std::string& name) override;
    // Straight from the reader's answer, without keeping the rows.
    void StreamTable(const std::string& name, const RowSink& sink) override;
    std::vector<TableEntry> ListTables() override;

private:
    // Every change: the file is read, never written.
    ado::_com_error RefusedChange() const override;
    AccessDatabase(std::string path, MdbReaderLimits limits, std::string readerProgram);

    // Runs the reader with the arguments that follow the file's path and
    // hands its answer to `read` as it comes, never held whole; raises when
    // there is none to read. What the reader's end says (a crash, a time-out,
    // an exit status) goes before what is wrong with what it wrote.
    void Ask(const std::string& question, const std::vector<std::string>& more,
             const std::function<void(const AnswerSource&)>& read) const;
    [[noreturn]] void RaiseUnreadable(const std::string& reason) const;
    std::string ReadOnlyReason() const;
    const TableEntry& FindTable(const std::string& name) const;
    const RowSet& ReadTable(const std::string& exactName);
    void MarkReadOnly(RowSet& rows) const;

    std::string path_;
    MdbReaderLimits limits_;
    std::string reader_;
    std::vector<TableEntry> tables_;
    std::map<std::string, RowSet> tableCache_;    // tables read so far, by name
    std::unique_ptr<DatabaseEngine> queryEngine_; // in-memory copy that runs SQL queries
    std::set<std::string> copied_;                // tables copied into it
};

} // namespace store
