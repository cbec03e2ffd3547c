#include "tests/store/jetgen/RandomTable.h"

#include <memory>
#include <random>

namespace jetgen {

namespace {
// Characters a text is drawn from: mostly ASCII, then Latin, Chinese, one
// that cannot be compressed (U+4E00, its low byte 0) and one beyond 16 bits.
const char* const kRare[] = {"é", "ü", "ß", "菊", "花", "烟", "火", "牡", "丹", "一", "🎆"};

class Draw
{
public:
    explicit Draw(const RandomShape& shape) : shape_(shape), rng_(shape.seed) {}

    Row Next(std::size_t index)
    {
        Row row;
        row.deleted = Percent(shape_.deletedPercent);
        row.overflow = Percent(shape_.overflowPercent);
        auto& v = row.values;
        v.resize(15);
        v[0] = static_cast<std::int64_t>(index + 1);
        v[1] = Pick(2) == 1;
        v[2] = static_cast<std::int64_t>(Pick(256));
        v[3] = static_cast<std::int64_t>(Pick(65536)) - 32768;
        v[4] = static_cast<std::int64_t>(Pick(2000000000000)) - 1000000000000;
        v[5] = static_cast<double>(static_cast<std::int64_t>(Pick(2000000)) - 1000000) / 64;
        v[6] = static_cast<double>(static_cast<std::int64_t>(rng_() >> 11) - (1LL << 52)) / 1024;
        v[7] = static_cast<double>(Pick(80000)) + static_cast<double>(Pick(86400)) / 86400;
        v[8] = Text(20);
        v[9] = Text(60);
        v[10] = LongText();
        v[11] = Bytes(Percent(shape_.longPercent) ? 500 + Pick(20000) : Pick(200));
        v[12] = Bytes(Pick(33));
        v[13] = Bytes(16);
        v[14] = Decimal{Pick(2) == 1, 0, Pick(1000000000000000000)};
        for (std::size_t i = 1; i < v.size(); ++i)
            if (Percent(shape_.nullPercent))
                v[i] = std::monostate{};
        if (!shape_.numeric)
            v.pop_back();
        return row;
    }

    std::uint64_t Pick(std::uint64_t below) { return rng_() % below; }
    bool Percent(int percent) { return static_cast<int>(Pick(100)) < percent; }

    // At most `units` UTF-16 units.
    std::string Text(std::size_t units)
    {
        std::string text;
        const std::size_t length = Pick(units + 1);
        for (std::size_t used = 0; used < length;) {
            if (Pick(8) != 0) {
                text.push_back(static_cast<char>(' ' + Pick(95)));
                ++used;
                continue;
            }
            const std::string rare = kRare[Pick(std::size(kRare))];
            const std::size_t width = rare.size() == 4 ? 2 : 1;
            if (used + width > length)
                break;
            text += rare;
            used += width;
        }
        return text;
    }

    // Short in the row; long on one page (up to 2000 characters) or over a
    // chain of pages.
    std::string LongText()
    {
        if (!Percent(shape_.longPercent))
            return Text(100);
        const std::size_t length = Pick(2) ? 300 + Pick(1700) : 3000 + Pick(12000);
        std::string text;
        while (text.size() < length)
            text += Text(200);
        return text;
    }

    std::string Bytes(std::size_t size)
    {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(Pick(256));
        return bytes;
    }

    const RandomShape& Shape() const { return shape_; }

private:
    RandomShape shape_;
    std::mt19937_64 rng_;
};

// Rows of a FireOne show, drawn as above.
class FireDataDraw
{
public:
    explicit FireDataDraw(const RandomShape& shape) : draw_(shape) {}

    Row Next(std::size_t index)
    {
        Row row;
        row.deleted = draw_.Percent(draw_.Shape().deletedPercent);
        row.overflow = draw_.Percent(draw_.Shape().overflowPercent);
        row.values = {static_cast<std::int64_t>(index + 1),
                      static_cast<std::int64_t>(draw_.Pick(3600000)),
                      static_cast<std::int64_t>(1 + draw_.Pick(9)),
                      static_cast<std::int64_t>(1 + draw_.Pick(99)),
                      static_cast<std::int64_t>(1 + draw_.Pick(32)),
                      draw_.Text(10),
                      draw_.Text(80)};
        for (std::size_t i = 1; i < row.values.size(); ++i)
            if (draw_.Percent(draw_.Shape().nullPercent))
                row.values[i] = std::monostate{};
        return row;
    }

private:
    Draw draw_;
};
} // namespace

Table RandomTable(const std::string& name, const RandomShape& shape)
{
    Table table;
    table.name = name;
    const bool c = shape.compressed;
    table.columns = {{"Id", Type::Long},
                     {"Flag", Type::Boolean},
                     {"Small", Type::Byte},
                     {"Count", Type::Integer},
                     {"Price", Type::Currency},
                     {"Ratio", Type::Single},
                     {"Amount", Type::Double},
                     {"When", Type::DateTime},
                     {"Code", Type::Text, 20, c},
                     {"Label", Type::Text, 60, false},
                     {"Note", Type::Memo, 0, c},
                     {"Picture", Type::Ole},
                     {"Raw", Type::Binary, 32},
                     {"Key", Type::Guid},
                     {"Total", Type::Numeric, 0, true, 18, 4}};
    if (!shape.numeric)
        table.columns.pop_back();
    table.rows = shape.rows;
    auto draw = std::make_shared<Draw>(shape);
    table.row = [draw](std::size_t index) { return draw->Next(index); };
    return table;
}

} // namespace jetgen

namespace jetgen {

std::vector<Column> FireDataColumns()
{
    return {{"ID", Type::Long},
            {"LaunchTimeMS", Type::Long},
            {"Event", Type::Integer},
            {"Slat", Type::Integer},
            {"Cue", Type::Integer},
            {"Position", Type::Text, 10},
            {"Description", Type::Text, 80}};
}

Table RandomFireData(const RandomShape& shape)
{
    Table table;
    table.name = "FireData";
    table.columns = FireDataColumns();
    for (Column& column : table.columns)
        column.compressed = shape.compressed;
    table.rows = shape.rows;
    auto draw = std::make_shared<FireDataDraw>(shape);
    table.row = [draw](std::size_t index) { return draw->Next(index); };
    return table;
}

} // namespace jetgen
