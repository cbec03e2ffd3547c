#pragma once

#include "editor/CueGridLayout.h"
#include "editor/FireOneImport.h"
#include "editor/OpenShowStore.h"
#include "editor/SaveShowStore.h"
#include "editor/ShowContext.h"
#include "editor/ShowGrid.h"
#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "store/LayoutTable.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <array>
#include <gtest/gtest.h>

namespace editortest {

// The window's members around a show, a grid over it and a scripted prompt.
class ShowCommands : public ::testing::Test
{
protected:
    ShowCommands() { editor::SetUpCueGrid(grid); }

    editor::ShowContext Show() { return {db, rs, storePath, model, prompt}; }

    // Runs a show command as the window does: a failure it raises is shown
    // as one met while `doing`, and gives false; else what it gives.
    template <typename Command> bool AsTheWindow(messages::Doing doing, Command&& command)
    {
        editor::ShowContext show = Show();
        try {
            return command(show);
        } catch (const show::Failure& failure) {
            messages::ShowFailure(prompt, failure, doing);
        }
        return false;
    }

    void Open(const std::string& path)
    {
        prompt.openFiles.push_back(path);
        AsTheWindow(messages::Doing::kOpening, [](editor::ShowContext& show) {
            editor::OpenShowStore(show);
            return true;
        });
    }

    void Save() { AsTheWindow(messages::Doing::kSaving, editor::SaveShowStore); }

    bool Import(const std::string& path,
                editor::StorePlace place = editor::StorePlace::kAsTheFileAllows,
                show::WorkProgress* progress = nullptr)
    {
        prompt.openFiles.push_back(path);
        return AsTheWindow(messages::Doing::kImporting, [&](editor::ShowContext& show) {
            show.progress = progress;
            return editor::ImportFireOne(show, place);
        });
    }

    // A store in the test's folder holding `cues`, opened into the grid.
    std::string OpenNewStore(const std::string& name, const std::vector<show::Cue>& cues)
    {
        const std::string path = dir.File(name);
        MakeShowStore(path, cues);
        Open(path);
        EXPECT_EQ(storePath, path);
        prompt.messages.clear();
        return path;
    }

    // The one message of a file at `path` that cannot be opened: the access
    // layer's description without an icon, its whole record apart.
    void ExpectOpenError(const std::string& path) const
    {
        ASSERT_EQ(prompt.messages.size(), 1u);
        const testsupport::FakePrompt::Message& shown = prompt.messages[0];
        EXPECT_EQ(shown.icon, prompt::MessageIcon::None);
        EXPECT_EQ(shown.details.rfind("Connection String = " + store::ConnectionStringFor(path) +
                                          "\nCADODataBase Error",
                                      0),
                  0u)
            << shown.details;
        const std::string description = shown.text.substr(0, shown.text.find('\n'));
        EXPECT_FALSE(description.empty());
        EXPECT_NE(shown.details.find("Description = " + description), std::string::npos)
            << shown.text;
    }

    std::array<std::string, show::kCueColumnCount> Row(int row) const
    {
        std::array<std::string, show::kCueColumnCount> texts;
        for (int c = 0; c < show::kCueColumnCount; ++c)
            texts[static_cast<std::size_t>(c)] = grid.QueryCell(editor::kQueryCellText, row, c);
        return texts;
    }

    // A show of `cues` cues already in the grid, to see that a failed command
    // keeps it.
    void LoadEarlierShow(int cues = 2)
    {
        std::vector<show::Cue> records;
        for (int i = 0; i < cues; ++i)
            records.push_back(Cue(i, "OLD"));
        earlierPath = OpenNewStore("earlier.db", records);
        earlierRows.clear();
        for (int r = 0; r <= cues; ++r)
            earlierRows.push_back(Row(r));
    }

    void ExpectEarlierShowKept()
    {
        EXPECT_EQ(storePath, earlierPath);
        ASSERT_EQ(grid.GetRowCount(), static_cast<int>(earlierRows.size()));
        for (int r = 0; r < grid.GetRowCount(); ++r)
            EXPECT_EQ(Row(r), earlierRows[static_cast<std::size_t>(r)]) << "row " << r;
        EXPECT_FALSE(db.IsOpen());
    }

    // The one message of an import that made no store: a stop, saying why.
    void ExpectStoreNotCreated(const std::string& reason)
    {
        ASSERT_EQ(prompt.messages.size(), 1u) << ::testing::PrintToString(prompt.MessageTexts());
        const std::string& text = prompt.messages[0].text;
        EXPECT_EQ(prompt.messages[0].icon, prompt::MessageIcon::Stop);
        EXPECT_EQ(text.rfind(strings::FormatText(strings::kImportStoreNotCreated, ""), 0), 0u)
            << text;
        EXPECT_NE(text.find(reason), std::string::npos) << text;
    }

    testsupport::TempDir dir;
    CADODataBase db;
    CADORecordset rs;
    std::string storePath;
    std::string earlierPath;
    std::vector<std::array<std::string, show::kCueColumnCount>> earlierRows;
    show::Show model;
    editor::ShowGrid grid{model};
    testsupport::FakePrompt prompt;
};

} // namespace editortest
