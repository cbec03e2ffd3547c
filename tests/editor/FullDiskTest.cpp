// A disk that fills up in the middle of an import or a Save: the command
// fails, and the file is byte for byte the one the user had, with no journal
// left beside it. Runs on a small tmpfs of its own (root only).
#include "editor/FireOneImport.h"
#include "editor/SaveShowStore.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/ShowCommandsFixture.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/SystemSpecifics.h"

#include <filesystem>
#include <fstream>

namespace {

using editortest::FileBytes;

class FullDisk : public editortest::ShowCommands
{
protected:
    void SetUp() override
    {
        disk = dir.path() / "disk";
        std::filesystem::create_directory(disk);
        if (const auto why = testsupport::MountSmallDisk(disk.string(), std::size_t{16} << 20))
            GTEST_SKIP() << *why;
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            testsupport::UnmountSmallDisk(disk.string());
    }

    // Fills the disk, then gives back about `freeBytes`.
    void FillLeaving(std::size_t freeBytes)
    {
        const std::string filler = (disk / "filler").string();
        {
            std::ofstream out(filler, std::ios::binary);
            const std::string block(4096, 'x');
            while (out.write(block.data(), block.size()))
                ;
        }
        const auto size = std::filesystem::file_size(filler);
        std::filesystem::resize_file(filler, size > freeBytes ? size - freeBytes : 0);
    }

    void ExpectUnchanged(const std::string& path, const std::string& bytes, const char* message)
    {
        ASSERT_EQ(prompt.messages.size(), 1u) << ::testing::PrintToString(prompt.MessageTexts());
        const std::string shown = prompt.messages[0].text;
        EXPECT_EQ(shown.rfind(std::string(message).substr(0, 20), 0), 0u) << shown;
        EXPECT_TRUE(FileBytes(path) == bytes) << "the file changed on a full disk";
        EXPECT_FALSE(std::filesystem::exists(path + "-journal")) << "a journal was left";
    }

    std::filesystem::path disk;
    bool mounted = false;
};

TEST_F(FullDisk, AnImportInPlaceLeavesTheFileAsItWas)
{
    const std::string path = (disk / "show.db").string();
    editortest::MakeFireOneFile(path, editortest::ManyFireRecords(60000));
    const std::string before = FileBytes(path);
    FillLeaving(512 * 1024);

    EXPECT_FALSE(Import(path));
    ExpectUnchanged(path, before, strings::kImportFailed);
}

TEST_F(FullDisk, ASaveLeavesTheStoreAsItWas)
{
    const std::string path = (disk / "show.db").string();
    std::vector<show::Cue> cues;
    for (int i = 0; i < 40000; ++i)
        cues.push_back(editortest::Cue(i, "H"));
    editortest::MakeShowStore(path, cues);
    Open(path);
    for (int row = 1; row < grid.GetRowCount(); ++row)
        grid.SetCellText(row, 1, "North battery, left rack " + std::to_string(row));
    const std::string before = FileBytes(path);
    FillLeaving(64 * 1024);

    prompt.messages.clear();
    Save();
    ExpectUnchanged(path, before, strings::kSaveFailed);
}

} // namespace
