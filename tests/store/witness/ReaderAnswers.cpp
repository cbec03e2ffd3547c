#include "tests/store/witness/ReaderAnswers.h"

#include "store/access/Unreadable.h"
#include "store/engine/MdbReaderOutput.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace witness {

namespace {
// A value as a difference report shows it: its kind and enough of it.
std::string Shown(const ado::Variant& value)
{
    std::string text = value.Describe();
    if (value.vt() == ado::VT_DATE) {
        char bits[40];
        std::snprintf(bits, sizeof bits, " (%.17g)", value.date());
        text += bits;
    } else if (value.vt() == ado::VT_BLOB_BYTES || value.vt() == ado::VT_BSTR) {
        const std::string& bytes = value.bstrVal();
        text.clear();
        for (std::size_t i = 0; i < bytes.size() && i < 40; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
            text += value.vt() == ado::VT_BSTR ? std::string(1, bytes[i]) : hex;
        }
        text = "\"" + text + (bytes.size() > 40 ? "...\"" : "\"") + " (" +
               std::to_string(bytes.size()) + " bytes)";
    }
    return text + " (vt " + std::to_string(value.vt()) + ")";
}

std::string ColumnShown(const store::ColumnInfo& column)
{
    return "'" + column.name + "' " + column.declaredType + " (vt " + std::to_string(column.type) +
           ", width " + std::to_string(column.maxChars) + (column.notNull ? ", not null)" : ")");
}
} // namespace

std::string Answer(const AnswerWork& work)
{
    std::string answer;
    // The one place that makes a writer: its destination may change.
    mdbreader::AnswerWriter out([&answer](std::string_view piece) { answer += piece; });
    try {
        work(out);
        out.Finish();
    } catch (const ado::_com_error& failure) { // the witness's
        out.Fail(failure.what());
    } catch (const jet::Unreadable& failure) { // the program's reader's
        out.Fail(failure.what());
    }
    return answer;
}

Reading ReadCatalogue(const CatalogueWriter& write, const std::string& path)
{
    Reading reading;
    try {
        reading.catalogue = store::ParseCatalogueAnswer(
            Answer([&](mdbreader::AnswerWriter& out) { write(path, out); }));
    } catch (const ado::_com_error& failure) {
        reading.failure = failure.what();
    }
    return reading;
}

store::RowSet ReadTable(const TableWriter& write, const std::string& path, const std::string& table,
                        std::string& failure)
{
    try {
        return store::ParseTableAnswer(
            Answer([&](mdbreader::AnswerWriter& out) { write(path, table, out); }));
    } catch (const ado::_com_error& raised) {
        failure = raised.what();
        return {};
    }
}

void SortRows(store::RowSet& rows)
{
    const auto key = [](const std::vector<ado::Variant>& row) {
        std::string text;
        for (const ado::Variant& value : row)
            text += std::to_string(value.vt()) + ":" + value.Describe() + '\x1f';
        return text;
    };
    std::stable_sort(rows.rows.begin(), rows.rows.end(),
                     [&](const auto& a, const auto& b) { return key(a) < key(b); });
}

std::string FirstDifference(const store::RowSet& reader, const store::RowSet& witness)
{
    const std::string table = "table '" + witness.table + "'";
    if (reader.table != witness.table)
        return table + ": the reader names it '" + reader.table + "'";
    if (reader.columns.size() != witness.columns.size())
        return table + ": the reader gives " + std::to_string(reader.columns.size()) +
               " columns, the witness " + std::to_string(witness.columns.size());
    for (std::size_t c = 0; c < witness.columns.size(); ++c) {
        const store::ColumnInfo& a = reader.columns[c];
        const store::ColumnInfo& b = witness.columns[c];
        if (a.name != b.name || a.type != b.type || a.maxChars != b.maxChars ||
            a.declaredType != b.declaredType || a.notNull != b.notNull)
            return table + ", column " + std::to_string(c) + ": the reader gives " +
                   ColumnShown(a) + ", the witness " + ColumnShown(b);
    }
    const std::size_t rows = std::min(reader.rows.size(), witness.rows.size());
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < witness.columns.size(); ++c)
            if (!(reader.rows[r][c] == witness.rows[r][c]))
                return table + ", row " + std::to_string(r) + ", column '" +
                       witness.columns[c].name + "': the reader gives " + Shown(reader.rows[r][c]) +
                       ", the witness " + Shown(witness.rows[r][c]);
    if (reader.rows.size() != witness.rows.size())
        return table + ": the reader gives " + std::to_string(reader.rows.size()) +
               " rows, the witness " + std::to_string(witness.rows.size());
    return {};
}

} // namespace witness
