// Damaged and foreign files: a clear error, never a crash or a hang, and
// nothing lost or made.
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "store/engine/AccessDatabase.h"
#include "tests/store/AccessFixtures.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

using accessfixtures::Path;

constexpr char kUnreadable[] = "could not be read as an Access database: ";

std::string Cs(const std::string& path)
{
    return store::ConnectionStringFor(path);
}

class DamagedAccessFile : public ::testing::Test
{
protected:
    std::string Copy(const std::string& fixture, std::size_t keep, const std::string& name)
    {
        const std::string path = dir.File(name);
        accessfixtures::Write(path, accessfixtures::Bytes(Path(fixture)).substr(0, keep));
        return path;
    }

    // Open fails, naming the file and saying why.
    void ExpectOpenFails(const std::string& path)
    {
        CADODataBase db;
        EXPECT_FALSE(db.Open(Cs(path), "", "")) << path;
        EXPECT_FALSE(db.IsOpen());
        EXPECT_EQ(db.GetLastErrorDescription().rfind("The file '" + path + "' " + kUnreadable, 0),
                  0u)
            << db.GetLastErrorText();
    }

    testsupport::TempDir dir;
};

TEST_F(DamagedAccessFile, HeaderOnlyFailsAtOpen)
{
    ExpectOpenFails(Copy("indexTestV2000.mdb", 4096, "page0.mdb"));
    ExpectOpenFails(Copy("testV1997.mdb", 2048, "jet3page0.mdb"));
    ExpectOpenFails(Copy("indexTestV2000.mdb", 200, "header.mdb"));
}

TEST_F(DamagedAccessFile, FileCutShortFailsAtOpen)
{
    // Cut on a page boundary before the list of tables ends, and off one.
    ExpectOpenFails(Copy("compIndexTestV2000.mdb", 40960, "cut.mdb"));
    ExpectOpenFails(Copy("compIndexTestV2000.mdb", 100000, "ragged.mdb"));
    ExpectOpenFails(Copy("testV1997.mdb", 118784 - 1, "onebyte.mdb"));
}

TEST_F(DamagedAccessFile, TableCutShortFailsInsteadOfLosingRows)
{
    // The list of tables is whole; some of the table's data pages are gone.
    const std::string path = Copy("compIndexTestV2000.mdb", 19 * 4096, "rows.mdb");
    CADODataBase db;
    ASSERT_TRUE(db.Open(Cs(path), "", "")) << db.GetLastErrorText();
    CADORecordset rs(&db);
    EXPECT_FALSE(rs.Open("Table1", modeTable));
    EXPECT_NE(rs.GetLastErrorText().find(kUnreadable), std::string::npos) << rs.GetLastErrorText();
    EXPECT_NE(rs.GetLastErrorText().find("of the 512 rows"), std::string::npos)
        << rs.GetLastErrorText();
}

TEST_F(DamagedAccessFile, ForeignFileWithAnAccessHeaderFailsAtOpen)
{
    std::string bytes(8192, 'x');
    bytes.replace(0, 20, std::string("\0\1\0\0Standard Jet DB\0", 20));
    const std::string path = dir.File("fake.mdb");
    accessfixtures::Write(path, bytes);
    ExpectOpenFails(path);
}

TEST_F(DamagedAccessFile, MissingAccessPathFailsAndCreatesNoFile)
{
    const std::string path = dir.File("absent.mdb");
    CADODataBase db;
    EXPECT_FALSE(db.Open(Cs(path), "", ""));
    EXPECT_NE(db.GetLastErrorDescription().find(path), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Random bytes overwritten in the data pages: every read either gives whole
// rows or fails with the clear error, within the reader's limits; and the
// damage reaches both outcomes.
TEST_F(DamagedAccessFile, RandomDamageNeverCrashesOrHangs)
{
    store::MdbReaderLimits limits;
    limits.cpuSeconds = 1;
    limits.wallClock = std::chrono::seconds(10);
    int tablesRead = 0;
    int refused = 0;
    for (const char* fixture : {"testV1997.mdb", "indexTestV2000.mdb", "compIndexTestV2000.mdb"}) {
        const std::string original = accessfixtures::Bytes(Path(fixture));
        const std::size_t pageSize = original[0x14] == 0 ? 2048 : 4096; // Jet 3 : Jet 4
        for (unsigned seed = 1; seed <= 6; ++seed) {
            std::mt19937 random(seed);
            std::string damaged = original;
            for (int i = 0; i < 300; ++i)
                damaged[pageSize + random() % (damaged.size() - pageSize)] =
                    static_cast<char>(random() & 0xFF);
            const std::string path = dir.File("damaged.mdb");
            accessfixtures::Write(path, damaged);
            SCOPED_TRACE(std::string(fixture) + " seed " + std::to_string(seed));
            try {
                auto database = store::AccessDatabase::Open(path, limits);
                for (const store::TableEntry& table : database->ListTables()) {
                    try {
                        const store::RowSet rows = database->OpenTable(table.name);
                        ++tablesRead;
                        for (const auto& row : rows.rows)
                            ASSERT_EQ(row.size(), rows.columns.size()) << table.name;
                    } catch (const ado::_com_error& error) {
                        ++refused;
                        EXPECT_NE(error.Description().find(kUnreadable), std::string::npos)
                            << error.Description();
                    }
                }
            } catch (const ado::_com_error& error) {
                ++refused;
                EXPECT_EQ(error.Error(), ado::E_FAIL);
                EXPECT_NE(error.Description().find(kUnreadable), std::string::npos)
                    << error.Description();
            }
        }
    }
    EXPECT_GT(tablesRead, 0) << "no damaged file gave a table";
    EXPECT_GT(refused, 0) << "the damage never made a read fail";
}

TEST_F(DamagedAccessFile, DamagedFileIsLeftAsItWas)
{
    const std::string path = Copy("indexTestV2000.mdb", 4096 * 5, "cut.mdb");
    const std::string before = accessfixtures::Bytes(path);
    ExpectOpenFails(path);
    EXPECT_EQ(accessfixtures::Bytes(path), before);
}

} // namespace
