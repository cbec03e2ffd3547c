#include "hostlink/ReadHostNames.h"

#include "messages/FailureMessage.h"
#include "resources/strings/Strings.h"
#include "show/Failure.h"
#include "tests/hostlink/HostlinkTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;

namespace {

TEST(ReadHostNames, EachNameOnceInTheStoresOrder)
{
    testsupport::TempDir dir;
    std::vector<StoreRow> rows = NumberedRows(5);
    const char* names[] = {"北", "HOST", "北", "", "HOST"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].HostName = names[i];
    EXPECT_EQ(ReadHostNames(MakeShowStore(dir, rows)),
              (std::vector<std::string>{"北", "HOST", ""}));
}

TEST(ReadHostNames, StoreOrTableThatCannotBeOpenedIsAnEmptyList)
{
    testsupport::TempDir dir;
    const std::string noTable = dir.File("no-table.db");
    testsupport::MakeEmptySqliteFile(noTable);
    const std::string notADatabase = dir.File("notes.mdb");
    std::ofstream(notADatabase) << "not a database at all";
    for (const std::string& path : {noTable, notADatabase}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(ReadHostNames(path).empty());
    }
}

TEST(ReadHostNames, UnreadableNameIsADatabaseErrorNeverThePartReadBeforeIt)
{
    testsupport::TempDir dir;
    const std::string path = MakeShowStore(dir, NumberedRows(2));
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = X'00FF' WHERE FlowID = 1");
    ExpectStopShown([&path] { ReadHostNames(path); }, messages::Doing::kSettingHost,
                    strings::kHostSettingsDatabaseException);
}

} // namespace
