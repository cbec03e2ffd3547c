#pragma once

#include "show/Cue.h"
#include "show/FireRecord.h"
#include "show/WorkProgress.h"
#include "store/LayoutTable.h"
#include "store/Variant.h"
#include "store/engine/DatabaseEngine.h"

#include <string>
#include <vector>

class CADODataBase;
class CADORecordset;

namespace editor {

// The FireOne record's conversion lives in the show model, where the show
// check also reads it.
using show::FireDataConverter;
using show::FireOneCue;
using show::HasFireData;

struct LayoutColumn; // a column of tb_Layout that a cue fills

// Writes cues into the existing tb_Layout of an engine, in the caller's
// transaction, many rows to an insert: a cue is written by Write or by the
// Finish that must follow the last.
class CueWriter
{
public:
    explicit CueWriter(store::DatabaseEngine& engine);
    void Write(const show::Cue& cue); // raises what the access layer raises
    void Finish();                    // the same

private:
    static constexpr std::size_t kRowsAtOnce = 64;
    void WriteHeld();

    store::DatabaseEngine& engine_;
    std::vector<store::ColumnInfo> columns_;
    std::vector<const LayoutColumn*> layout_; // what each column takes; none: NULL
    std::vector<bool> written_;
    // The rows not yet written; their room kept from row to row.
    std::vector<std::vector<ado::Variant>> rows_;
    std::size_t held_ = 0;
};

// Converts every FireData record of `db`, read as it streams in, into a
// record of the existing, empty tb_Layout of `db`, in order, and gives the
// records in `cues`. The conversion stops at the first record that cannot be
// one (raising show::Failure as Next does); the caller's transaction undoes a
// stopped one. FireData that cannot be read raises kFireOneNotRead; a failing
// write raises what the access layer raises (the command's show::StoreWork
// makes it a Failure); each record is a step of `progress`.
void ConvertFireData(CADODataBase& db, std::vector<show::Cue>& cues, show::WorkProgress& progress);

} // namespace editor
