#include "store/ado/Recordset.h"

#include "store/ado/Connection.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace ado {

namespace {
bool IsPlainIdentifier(const std::string& text)
{
    if (text.empty() || !(std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_'))
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}
} // namespace

RecordsetPtr Recordset::Create()
{
    return RecordsetPtr(new Recordset());
}

RecordsetPtr Recordset::FromRows(store::RowSet rows)
{
    RecordsetPtr recordset = Create();
    recordset->Load(std::move(rows), nullptr);
    recordset->readOnly_ = true;
    return recordset;
}

void Recordset::Load(store::RowSet rows, const ConnectionPtr& connection)
{
    rows_ = std::move(rows);
    connection_ = connection;
    session_ = connection ? connection->Session() : 0;
    position_ = 0;
    editMode_ = adEditNone;
    pending_.clear();
    changed_.clear();
    readOnly_ = !rows_.writable;
    open_ = true;
}

void Recordset::Open(const std::string& source, const ConnectionPtr& activeConnection,
                     LockTypeEnum lockType, CommandTypeEnum options)
{
    if (State() == adStateOpen)
        throw _com_error(adErrObjectOpen, kSourceRecordset,
                         "Operation is not allowed when the object is open.");
    if (!activeConnection || activeConnection->State() == adStateClosed)
        throw _com_error(adErrInvalidConnection, kSourceRecordset,
                         "The connection cannot be used to perform this operation. It is either "
                         "closed or invalid in this context.");
    store::DatabaseEngine& engine = activeConnection->Engine();
    store::RowSet rows;
    // A bare name given as a command of unknown kind opens that table, as a
    // table name does with Jet.
    if (options == adCmdTable || (options == adCmdUnknown && IsPlainIdentifier(source)))
        rows = engine.OpenTable(source);
    else
        rows = engine.Query(source);
    Load(std::move(rows), activeConnection);
    if (lockType == adLockReadOnly)
        readOnly_ = true;
}

long Recordset::State() const
{
    if (!open_)
        return adStateClosed;
    if (connection_ &&
        (connection_->State() == adStateClosed || connection_->Session() != session_))
        return adStateClosed;
    return adStateOpen;
}

void Recordset::Close()
{
    if (State() == adStateClosed && !open_)
        throw _com_error(adErrObjectClosed, kSourceRecordset,
                         "Operation is not allowed when the object is closed.");
    open_ = false;
    rows_ = store::RowSet();
    pending_.clear();
    changed_.clear();
    editMode_ = adEditNone;
    connection_.reset();
}

void Recordset::RequireOpen() const
{
    if (State() == adStateClosed)
        throw _com_error(adErrObjectClosed, kSourceRecordset,
                         "Operation is not allowed when the object is closed.");
}

void Recordset::RequireCurrent() const
{
    RequireOpen();
    if (editMode_ != adEditAdd && position_ >= rows_.rows.size())
        throw _com_error(adErrNoCurrentRecord, kSourceRecordset,
                         "Either BOF or EOF is True, or the current record has been deleted. "
                         "Requested operation requires a current record.");
}

void Recordset::RequireWritable() const
{
    if (readOnly_ && !rows_.readOnlyReason.empty())
        throw _com_error(E_FAIL, rows_.readOnlySource, rows_.readOnlyReason);
    if (readOnly_)
        throw _com_error(adErrFeatureNotAvailable, kSourceRecordset,
                         "Current Recordset does not support updating. This may be a limitation "
                         "of the provider, or of the selected locktype.");
}

std::size_t Recordset::FieldIndex(const std::string& field) const
{
    // Fields are mostly named in their order: the search starts after the
    // one found last.
    const std::size_t count = rows_.columns.size();
    for (std::size_t n = 0; n < count; ++n) {
        const std::size_t i = (lastField_ + 1 + n) % count;
        const std::string& name = rows_.columns[i].name;
        if (name.size() == field.size() && strcasecmp(name.c_str(), field.c_str()) == 0) {
            lastField_ = i;
            return i;
        }
    }
    throw _com_error(adErrItemNotFound, kSourceRecordset,
                     "Item cannot be found in the collection corresponding to the requested name "
                     "or ordinal ('" +
                         field + "').");
}

bool Recordset::EndOfFile() const
{
    RequireOpen();
    return editMode_ != adEditAdd && position_ >= rows_.rows.size();
}

void Recordset::MoveNext()
{
    RequireCurrent();
    if (editMode_ != adEditNone)
        Update(); // moving off a changed record stores it, as ADO does
    ++position_;
}

void Recordset::MoveFirst()
{
    RequireOpen();
    if (editMode_ != adEditNone)
        Update();
    position_ = 0;
}

long Recordset::RecordCount() const
{
    RequireOpen();
    return static_cast<long>(rows_.rows.size());
}

const std::vector<store::ColumnInfo>& Recordset::Fields() const
{
    RequireOpen();
    return rows_.columns;
}

Variant Recordset::GetFieldValue(std::size_t index) const
{
    RequireCurrent();
    if (index >= rows_.columns.size())
        throw _com_error(adErrItemNotFound, kSourceRecordset,
                         "Item cannot be found in the collection corresponding to the requested "
                         "name or ordinal.");
    if (editMode_ != adEditNone)
        return pending_[index];
    return rows_.rows[position_][index];
}

Variant Recordset::GetCollect(const std::string& field) const
{
    RequireOpen();
    return GetFieldValue(FieldIndex(field));
}

void Recordset::PutCollect(const std::string& field, Variant value)
{
    RequireCurrent();
    const std::size_t index = FieldIndex(field);
    RequireWritable();
    if (editMode_ == adEditNone) {
        pending_ = rows_.rows[position_];
        changed_.assign(rows_.columns.size(), false);
        editMode_ = adEditInProgress;
    }
    pending_[index] = std::move(value);
    changed_[index] = true;
}

void Recordset::AddNew()
{
    RequireOpen();
    RequireWritable();
    if (editMode_ != adEditNone)
        Update(); // a record still being added is stored before the next begins
    pending_.assign(rows_.columns.size(), Variant::Null());
    changed_.assign(rows_.columns.size(), false);
    editMode_ = adEditAdd;
}

void Recordset::Update()
{
    RequireOpen();
    if (editMode_ == adEditNone)
        return;
    RequireWritable();
    store::DatabaseEngine& engine = connection_->Engine();
    if (editMode_ == adEditAdd) {
        const std::int64_t key = engine.InsertRow(rows_.table, rows_.columns, pending_, changed_);
        rows_.rows.push_back(std::move(pending_));
        rows_.keys.push_back(key);
        position_ = rows_.rows.size() - 1;
    } else {
        engine.UpdateRow(rows_.table, rows_.keys[position_], rows_.columns, pending_, changed_);
        rows_.rows[position_] = std::move(pending_);
    }
    pending_.clear();
    changed_.clear();
    editMode_ = adEditNone;
}

void Recordset::CancelUpdate()
{
    RequireOpen();
    pending_.clear(); // an addition given up leaves the record that was current before it
    changed_.clear();
    editMode_ = adEditNone;
}

} // namespace ado
