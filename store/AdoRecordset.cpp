#include "AdoObjects.h"

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

// Orders two values of one column for Sort: NULLs first, then numbers, then
// texts; values of other kinds by their shown text.
int CompareValues(const Variant& a, const Variant& b)
{
    auto rank = [](const Variant& v) {
        switch (v.vt()) {
        case VT_EMPTY:
        case VT_NULL:
            return 0;
        case VT_BSTR:
            return 2;
        case VT_BLOB_BYTES:
            return 3;
        default:
            return 1;
        }
    };
    auto number = [](const Variant& v) {
        switch (v.vt()) {
        case VT_I2:
        case VT_BOOL:
            return static_cast<double>(v.iVal());
        case VT_I4:
        case VT_INT:
            return static_cast<double>(v.lVal());
        case VT_UI1:
            return static_cast<double>(v.bVal());
        case VT_UI4:
            return static_cast<double>(v.ulVal());
        case VT_R4:
            return static_cast<double>(v.fltVal());
        case VT_DECIMAL:
            return v.decVal().ToDouble();
        default:
            return v.dblVal();
        }
    };
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 1) {
        const double x = number(a);
        const double y = number(b);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    return a.bstrVal().compare(b.bstrVal());
}
} // namespace

RecordsetPtr Recordset::Create()
{
    return RecordsetPtr(new Recordset());
}

RecordsetPtr Recordset::FromRows(store::RowSet rows, const ConnectionPtr& connection)
{
    RecordsetPtr recordset = Create();
    recordset->cursorType_ = adOpenStatic;
    recordset->cursorLocation_ = adUseClient;
    recordset->Load(std::move(rows), connection);
    recordset->readOnly_ = true;
    return recordset;
}

void Recordset::Load(store::RowSet rows, const ConnectionPtr& connection)
{
    rows_ = std::move(rows);
    connection_ = connection;
    session_ = connection ? connection->Session() : 0;
    order_.clear();
    position_ = 0;
    editMode_ = adEditNone;
    pending_.clear();
    changed_.clear();
    sort_.clear();
    readOnly_ = !rows_.writable;
    open_ = true;
}

void Recordset::Open(const std::string& source, const ConnectionPtr& activeConnection,
                     CursorTypeEnum cursorType, LockTypeEnum lockType, long options)
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
    cursorType_ = cursorType;
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
    order_.clear();
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
    for (std::size_t i = 0; i < rows_.columns.size(); ++i)
        if (strcasecmp(rows_.columns[i].name.c_str(), field.c_str()) == 0)
            return i;
    throw _com_error(adErrItemNotFound, kSourceRecordset,
                     "Item cannot be found in the collection corresponding to the requested name "
                     "or ordinal ('" +
                         field + "').");
}

std::size_t Recordset::RowAt(std::size_t position) const
{
    return order_.empty() ? position : order_[position];
}

bool Recordset::EndOfFile() const
{
    RequireOpen();
    return editMode_ != adEditAdd && position_ >= rows_.rows.size();
}

bool Recordset::BOF() const
{
    RequireOpen();
    return rows_.rows.empty();
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
    return rows_.rows[RowAt(position_)][index];
}

Variant Recordset::GetCollect(const std::string& field) const
{
    RequireOpen();
    return GetFieldValue(FieldIndex(field));
}

void Recordset::PutCollect(const std::string& field, const Variant& value)
{
    RequireCurrent();
    const std::size_t index = FieldIndex(field);
    RequireWritable();
    if (editMode_ == adEditNone) {
        pending_ = rows_.rows[RowAt(position_)];
        changed_.assign(rows_.columns.size(), false);
        editMode_ = adEditInProgress;
    }
    pending_[index] = value;
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
        if (!order_.empty())
            order_.push_back(rows_.rows.size() - 1);
        position_ = rows_.rows.size() - 1;
    } else {
        const std::size_t row = RowAt(position_);
        engine.UpdateRow(rows_.table, rows_.keys[row], rows_.columns, pending_, changed_);
        rows_.rows[row] = std::move(pending_);
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

void Recordset::PutSort(const std::string& sort)
{
    RequireOpen();
    sort_ = sort;
    ApplySort();
    position_ = 0;
}

void Recordset::ApplySort()
{
    order_.clear();
    if (sort_.find_first_not_of(" \t") == std::string::npos)
        return;
    struct Key
    {
        std::size_t column;
        bool descending;
    };
    std::vector<Key> keys;
    std::size_t start = 0;
    while (start <= sort_.size()) {
        std::size_t end = sort_.find(',', start);
        if (end == std::string::npos)
            end = sort_.size();
        std::string part = sort_.substr(start, end - start);
        std::string name;
        std::string direction;
        std::size_t i = part.find_first_not_of(" \t");
        std::size_t j = part.find_first_of(" \t", i == std::string::npos ? 0 : i);
        if (i != std::string::npos) {
            name = part.substr(i, j == std::string::npos ? std::string::npos : j - i);
            if (j != std::string::npos) {
                const std::size_t k = part.find_first_not_of(" \t", j);
                if (k != std::string::npos)
                    direction = part.substr(k, part.find_last_not_of(" \t") - k + 1);
            }
        }
        if (name.size() > 1 && name.front() == '[' && name.back() == ']')
            name = name.substr(1, name.size() - 2);
        if (name.empty() || (!direction.empty() && strcasecmp(direction.c_str(), "ASC") != 0 &&
                             strcasecmp(direction.c_str(), "DESC") != 0))
            throw _com_error(adErrInvalidArgument, kSourceRecordset,
                             "Arguments are of the wrong type, are out of acceptable range, or "
                             "are in conflict with one another ('" +
                                 sort_ + "').");
        keys.push_back({FieldIndex(name), strcasecmp(direction.c_str(), "DESC") == 0});
        start = end + 1;
    }
    order_.resize(rows_.rows.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = i;
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
        for (const Key& key : keys) {
            const int c = CompareValues(rows_.rows[a][key.column], rows_.rows[b][key.column]);
            if (c != 0)
                return key.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

} // namespace ado
