#include "qtcommon/FileDialogFilters.h"

#include "editor/ShowStoreFileChoice.h"
#include "qtcommon/QtText.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialogFilters, ShowStoreFiltersKeepTheirLabelsInOrder)
{
    EXPECT_EQ(
        qtcommon::FileDialogFilters(editor::ShowStoreFileChoice()),
        qtcommon::ToQStringList({"Show stores (*.mdb *.db *.sqlite *.sqlite3)", "mdb files (*.mdb)",
                                 "SQLite files (*.db *.sqlite *.sqlite3)", "All files (*)"}));
}

TEST(FileDialogFilters, FireOneImportAddsScriptFilesAfterMdbFiles)
{
    EXPECT_EQ(qtcommon::FileDialogFilters(editor::FireOneFileChoice()),
              qtcommon::ToQStringList({"mdb files (*.mdb)", "FireOne script files (*.fir)",
                                       "SQLite files (*.db *.sqlite *.sqlite3)", "All files (*)"}));
}

TEST(FileDialogFilters, LabelsWithoutPatternsGetThemAdded)
{
    prompt::FileChoice choice;
    choice.filters = {{"Shows", {"*.db", "*.mdb"}}};
    EXPECT_EQ(qtcommon::FileDialogFilters(choice),
              QStringList({QStringLiteral("Shows (*.db *.mdb)")}));
}

} // namespace
