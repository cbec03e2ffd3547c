// The Jet 4 files the tests generate, read back by the witness (libmdb) and
// by mdbtools' own programs: every type, NULLs, deleted rows, long values in
// the row, on one page and over a chain.
#include "tests/store/jetgen/Jet4File.h"
#include "tests/store/witness/LibmdbWitness.h"
#include "tests/store/witness/ReaderAnswers.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace jetgen;
using ado::Variant;

const std::string kGuid("\x33\x22\x11\x00\x55\x44\x77\x66\x88\x99\xAA\xBB\xCC\xDD\xEE\xFF", 16);

std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string HexOf(const std::string& bytes)
{
    std::string hex;
    for (const char byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(byte));
        hex += pair;
    }
    return hex;
}

// A table of every type and its rows as written.
Table Kinds()
{
    Table table;
    table.name = "Kinds";
    table.columns = {{"Id", Type::Long},
                     {"Yes", Type::Boolean},
                     {"B", Type::Byte},
                     {"I", Type::Integer},
                     {"C", Type::Currency},
                     {"S", Type::Single},
                     {"D", Type::Double},
                     {"T", Type::DateTime},
                     {"Short", Type::Text, 10},
                     {"Wide", Type::Text, 20, false},
                     {"M", Type::Memo},
                     {"O", Type::Ole},
                     {"Bin", Type::Binary, 8},
                     {"G", Type::Guid},
                     {"N", Type::Numeric, 0, true, 10, 2}};
    std::vector<Row> rows(6);
    rows[0].values = {std::int64_t{1},
                      true,
                      std::int64_t{255},
                      std::int64_t{-32768},
                      std::int64_t{-12345678},
                      1.5,
                      -2.25,
                      45292.5,
                      std::string("菊花 1"),
                      std::string("烟火🎆 x"),
                      std::string("inline memo"),
                      std::string("\x01\x02", 2),
                      std::string("\x7F\xFF", 2),
                      kGuid,
                      Decimal{true, 0, 12345}};
    Row blank;
    blank.values.assign(table.columns.size(), std::monostate{});
    for (std::size_t i = 1; i < rows.size(); ++i) {
        rows[i] = blank;
        rows[i].values[0] = static_cast<std::int64_t>(i + 1);
    }
    rows[1].overflow = true; // the rows that follow open the next page
    rows[2] = rows[0];
    rows[2].values[0] = std::int64_t{3};
    rows[2].deleted = true;
    rows[3].values[10] = Repeated("x", 2000); // one long-value page
    rows[3].values[11] = Repeated(std::string("\0\1", 2), 1500);
    rows[4].values[10] = Repeated("菊花 fountain ", 900); // a chain of pages
    rows[4].values[11] = Repeated("\xAB", 9000);
    rows[5].values[8] = std::string();
    rows[5].values[10] = std::string();
    rows[5].values[12] = std::string();
    table.rows = rows.size();
    table.row = [rows](std::size_t i) { return rows[i]; };
    return table;
}

class GeneratedFile : public ::testing::Test
{
protected:
    void SetUp() override { WriteJet4File(path, {Kinds()}); }

    testsupport::TempDir dir;
    std::string path = dir.File("kinds.mdb");
};

TEST_F(GeneratedFile, TheWitnessReadsWhatWasWritten)
{
    const witness::Reading catalogue = witness::ReadCatalogue(witness::WriteCatalogue, path);
    ASSERT_EQ(catalogue.failure, "");
    ASSERT_FALSE(catalogue.catalogue.empty());
    EXPECT_EQ(catalogue.catalogue.back().name, "Kinds");
    EXPECT_EQ(catalogue.catalogue.back().type, "TABLE");

    std::string failure;
    const store::RowSet set = witness::ReadTable(witness::WriteTable, path, "Kinds", failure);
    ASSERT_EQ(failure, "");
    ASSERT_EQ(set.columns.size(), 15u);
    EXPECT_EQ(set.columns[8].maxChars, 10);
    EXPECT_EQ(set.columns[9].maxChars, 20);
    EXPECT_EQ(set.columns[14].declaredType, "numeric(10,2)");
    ASSERT_EQ(set.rows.size(), 5u) << "the deleted row is skipped";

    ado::Decimal currency;
    currency.scale = 4;
    currency.sign = 0x80;
    currency.lo64 = 12345678;
    ado::Decimal numeric;
    numeric.scale = 2;
    numeric.sign = 0x80;
    numeric.lo64 = 12345;
    const std::vector<Variant> first{Variant::I4(1),
                                     Variant::Bool(true),
                                     Variant::UI1(255),
                                     Variant::I2(-32768),
                                     Variant::Dec(currency),
                                     Variant::R4(1.5F),
                                     Variant::R8(-2.25),
                                     Variant::Date(45292.5),
                                     Variant::Bstr("菊花 1"),
                                     Variant::Bstr("烟火🎆 x"),
                                     Variant::Bstr("inline memo"),
                                     Variant::Bytes("\x01\x02"),
                                     Variant::Bytes(std::string("\x7F\xFF", 2)),
                                     Variant::Bstr("{00112233-4455-6677-8899-AABBCCDDEEFF}"),
                                     Variant::Dec(numeric)};
    EXPECT_EQ(set.rows[0], first);
    EXPECT_EQ(set.rows[1][0], Variant::I4(2));
    EXPECT_EQ(set.rows[1][1], Variant::Bool(false)) << "a NULL Yes/No reads as No";
    for (std::size_t c = 2; c < 15; ++c)
        EXPECT_TRUE(set.rows[1][c].IsNull()) << "column " << c;
    EXPECT_EQ(set.rows[2][0], Variant::I4(4));
    EXPECT_EQ(set.rows[2][10], Variant::Bstr(Repeated("x", 2000)));
    EXPECT_EQ(set.rows[2][11], Variant::Bytes(Repeated(std::string("\0\1", 2), 1500)));
    EXPECT_EQ(set.rows[3][10], Variant::Bstr(Repeated("菊花 fountain ", 900)));
    EXPECT_EQ(set.rows[3][11], Variant::Bytes(Repeated("\xAB", 9000)));
    EXPECT_EQ(set.rows[4][8], Variant::Bstr(""));
    EXPECT_EQ(set.rows[4][10], Variant::Bstr(""));
    EXPECT_EQ(set.rows[4][12], Variant::Bytes(""));
}

struct PipeClose
{
    void operator()(std::FILE* pipe) const { ::pclose(pipe); }
};

// What one of mdbtools' programs prints, errors included.
std::string MdbTool(const std::string& commandLine)
{
    const std::unique_ptr<std::FILE, PipeClose> pipe(::popen((commandLine + " 2>&1").c_str(), "r"));
    std::string output;
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        output.append(buffer, got);
    return output;
}

TEST_F(GeneratedFile, MdbToolsReadWhatWasWritten)
{
    if (std::system("command -v mdb-export > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "mdbtools is not installed";
    EXPECT_EQ(MdbTool("mdb-tables -1 '" + path + "'"), "Kinds\n");
    const std::string schema = MdbTool("mdb-schema -T Kinds '" + path + "'");
    for (const char* column :
         {"[Yes]\t\t\tBoolean NOT NULL", "[C]\t\t\tCurrency", "[Short]\t\t\tText (10)",
          "[Wide]\t\t\tText (20)", "[M]\t\t\tMemo/Hyperlink", "[G]\t\t\tReplication ID",
          "[N]\t\t\tNumeric (10, 2)"})
        EXPECT_NE(schema.find(column), std::string::npos) << column << " in\n" << schema;
    // mdb-export reads texts as UCS-2 (the character beyond 16 bits is "??"),
    // shows a GUID's text in hex, one dash short, and an empty value as
    // nothing.
    EXPECT_EQ(MdbTool("mdb-export -T '%Y-%m-%d %H:%M:%S' -b hex '" + path + "' Kinds"),
              "Id,Yes,B,I,C,S,D,T,Short,Wide,M,O,Bin,G,N\n"
              "1,1,255,-32768,-1234.5678,1.5,-2.25,\"2024-01-01 12:00:00\",\"菊花 1\","
              "\"烟火?? x\",\"inline memo\",\"0102\",\"7FFF\",\"" +
                  HexOf("{00112233-4455-6677-8899AABBCCDDEEFF}") +
                  "\",-123.45\n"
                  "2,0,,,,,,,,,,,,,\n"
                  "4,0,,,,,,,,,\"" +
                  Repeated("x", 2000) + "\"," + "\"" + Repeated("0001", 1500) +
                  "\",,,\n"
                  "5,0,,,,,,,,,\"" +
                  Repeated("菊花 fountain ", 900) + "\",\"" + Repeated("AB", 9000) +
                  "\",,,\n"
                  "6,0,,,,,,,,,,,,,\n");
}

} // namespace
