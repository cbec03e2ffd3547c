#pragma once

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "CueGridLayout.h"
#include "FakePrompt.h"
#include "MemoryGrid.h"
#include "OpenShowStore.h"
#include "SaveShowStore.h"
#include "ShowContext.h"
#include "ShowStoreFiles.h"
#include "TempDir.h"

#include <array>
#include <gtest/gtest.h>

namespace editortest {

// The window's members around an in-memory grid and a scripted prompt.
class ShowCommands : public ::testing::Test
{
protected:
    ShowCommands() { editor::SetUpCueGrid(grid); }

    editor::ShowContext Show() { return {db, rs, storePath, grid, prompt}; }

    void Open(const std::string& path)
    {
        prompt.openFiles.push_back(path);
        editor::ShowContext show = Show();
        editor::OpenShowStore(show);
    }

    void Save()
    {
        editor::ShowContext show = Show();
        editor::SaveShowStore(show);
    }

    // A store in the test's folder holding `cues`, opened into the grid.
    std::string OpenNewStore(const std::string& name, const std::vector<store::CueRecord>& cues)
    {
        const std::string path = dir.File(name);
        MakeShowStore(path, cues);
        Open(path);
        EXPECT_EQ(storePath, path);
        prompt.messages.clear();
        return path;
    }

    std::array<std::string, store::kCueColumnCount> Row(int row) const
    {
        std::array<std::string, store::kCueColumnCount> texts;
        for (int c = 0; c < store::kCueColumnCount; ++c)
            texts[static_cast<std::size_t>(c)] = grid.QueryCell(editor::kQueryCellText, row, c);
        return texts;
    }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& message : prompt.messages)
            texts.push_back(message.text);
        return texts;
    }

    testsupport::TempDir dir;
    CADODataBase db;
    CADORecordset rs;
    std::string storePath;
    editor::MemoryGrid grid;
    testsupport::FakePrompt prompt;
};

} // namespace editortest
