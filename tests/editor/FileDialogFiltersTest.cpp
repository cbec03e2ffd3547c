#include "qtcommon/FileDialogFilters.h"

#include "editor/ShowStoreFileChoice.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialogFilters, ShowStoreFiltersKeepTheirLabelsInOrder)
{
    const QStringList filters = qtcommon::FileDialogFilters(editor::ShowStoreFileChoice());
    EXPECT_EQ(filters, QStringList({QStringLiteral("Show stores (*.mdb *.db *.sqlite *.sqlite3)"),
                                    QStringLiteral("mdb files (*.mdb)"),
                                    QStringLiteral("SQLite files (*.db *.sqlite *.sqlite3)"),
                                    QStringLiteral("All files (*)")}));
}

TEST(FileDialogFilters, FireOneImportAddsScriptFilesAfterMdbFiles)
{
    const QStringList filters = qtcommon::FileDialogFilters(editor::FireOneFileChoice());
    EXPECT_EQ(filters, QStringList({QStringLiteral("mdb files (*.mdb)"),
                                    QStringLiteral("FireOne script files (*.fir)"),
                                    QStringLiteral("SQLite files (*.db *.sqlite *.sqlite3)"),
                                    QStringLiteral("All files (*)")}));
}

TEST(FileDialogFilters, LabelsWithoutPatternsGetThemAdded)
{
    prompt::FileChoice choice;
    choice.filters = {{"Shows", {"*.db", "*.mdb"}}};
    EXPECT_EQ(qtcommon::FileDialogFilters(choice),
              QStringList({QStringLiteral("Shows (*.db *.mdb)")}));
}

} // namespace
