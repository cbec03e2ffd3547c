#include "hostlink/LoadHostNames.h"

#include "resources/strings/Strings.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/FakePrompt.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace hostlink;
using namespace hostlinktest;

namespace {

class LoadHostNamesTest : public ::testing::Test
{
protected:
    HostNameList Load(std::optional<std::string> path)
    {
        prompt.openFiles.push_back(std::move(path));
        return LoadHostNames(prompt);
    }

    testsupport::TempDir dir;
    testsupport::FakePrompt prompt;
};

TEST_F(LoadHostNamesTest, EachNameOnceInTheStoresOrder)
{
    std::vector<StoreRow> rows = NumberedRows(5);
    const char* names[] = {"北", "HOST", "北", "", "HOST"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].HostName = names[i];
    const HostNameList list = Load(MakeShowStore(dir, rows));
    EXPECT_EQ(list.status, HostNameList::kLoaded);
    EXPECT_EQ(list.names, (std::vector<std::string>{"北", "HOST", ""}));
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(prompt.openChoices.size(), 1u);
    EXPECT_EQ(prompt.openChoices[0].filters.front().label, strings::kFilterMdbChinese);
}

TEST_F(LoadHostNamesTest, CancelledChoiceReadsNothing)
{
    EXPECT_EQ(Load(std::nullopt).status, HostNameList::kCancelled);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(LoadHostNamesTest, StoreOrTableThatCannotBeOpenedIsAnEmptyList)
{
    const std::string noTable = dir.File("no-table.db");
    testsupport::MakeEmptySqliteFile(noTable);
    const std::string notADatabase = dir.File("notes.mdb");
    std::ofstream(notADatabase) << "not a database at all";
    for (const std::string& path : {noTable, notADatabase}) {
        SCOPED_TRACE(path);
        const HostNameList list = Load(path);
        EXPECT_EQ(list.status, HostNameList::kLoaded);
        EXPECT_TRUE(list.names.empty());
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(LoadHostNamesTest, UnreadableNameIsADatabaseErrorWithNoNames)
{
    const std::string path = MakeShowStore(dir, NumberedRows(2));
    testsupport::RunSql(path, "UPDATE tb_Layout SET HostName = X'00FF' WHERE FlowID = 1");
    const HostNameList list = Load(path);
    EXPECT_EQ(list.status, HostNameList::kDatabaseError);
    EXPECT_TRUE(list.names.empty()) << "never the names read before the failure";
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, strings::kHostSettingsDatabaseException);
    EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Stop);
}

} // namespace
