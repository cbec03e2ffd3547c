#include "store/engine/RowCells.h"

#include "store/FieldText.h"
#include "store/engine/DatabaseEngine.h"

namespace store {

bool RowCells::Integer(std::size_t field, int& out, bool& null) const
{
    const ado::Variant value = Value(field);
    null = value.IsNull();
    return FieldToInteger(value, out);
}

bool RowCells::Text(std::size_t field, std::string& out, bool& null) const
{
    const ado::Variant value = Value(field);
    null = value.IsNull();
    return FieldToText(value, "", out);
}

bool VariantRowCells::Integer(std::size_t field, int& out, bool& null) const
{
    const ado::Variant& value = row_.at(field);
    null = value.IsNull();
    return FieldToInteger(value, out);
}

bool VariantRowCells::Text(std::size_t field, std::string& out, bool& null) const
{
    const ado::Variant& value = row_.at(field);
    null = value.IsNull();
    return FieldToText(value, "", out);
}

void DeliverRow(const RowSink& sink, const std::vector<ado::Variant>& row)
{
    if (sink.cells)
        sink.cells(VariantRowCells(row));
    else if (sink.row)
        sink.row(row);
}

} // namespace store
