// The platform's file pieces: UTF-8 paths, file identity, the file lock, new
// files, the program's own folder.
#include "platform/ExecutablePath.h"
#include "platform/FileIdentity.h"
#include "platform/FileLock.h"
#include "platform/NewFile.h"
#include "platform/Utf8Path.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using platform::PathFromUtf8;
using platform::Utf8FromPath;

TEST(Utf8Path, AChineseFolderIsMadeFoundAndNamedBackInUtf8)
{
    const testsupport::TempDir dir;
    const std::string folder = Utf8FromPath(dir.path() / PathFromUtf8("东区"));
    ASSERT_TRUE(fs::create_directory(PathFromUtf8(folder)));
    const std::string file = folder + "/烟花.db";
    std::ofstream(PathFromUtf8(file)) << "x";
    EXPECT_TRUE(fs::is_regular_file(PathFromUtf8(file)));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder)))
        names.push_back(Utf8FromPath(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{"烟花.db"});
    EXPECT_TRUE(platform::IdentityOf(file));
}

TEST(FileIdentity, OneFileByTwoPathsIsOneFileAndAnotherIsNot)
{
    const testsupport::TempDir dir;
    std::ofstream(dir.path() / "a") << "a";
    std::ofstream(dir.path() / "b") << "b";
    fs::create_directory(dir.path() / "sub");
    EXPECT_TRUE(platform::SameFile(dir.File("a"), dir.File("sub/../a")));
    EXPECT_FALSE(platform::SameFile(dir.File("a"), dir.File("b")));
    EXPECT_FALSE(platform::SameFile(dir.File("missing"), dir.File("missing")));
}

TEST(FileLock, IsHeldByOneAtATimeAndItsFileGoesWithIt)
{
    const testsupport::TempDir dir;
    const std::string path = dir.File("store.lock");
    {
        const platform::FileLock first(path);
        ASSERT_EQ(first.outcome(), platform::FileLock::Outcome::kHeld) << first.failure();
        EXPECT_TRUE(first.StillNamed());
        const platform::FileLock second(path);
        EXPECT_EQ(second.outcome(), platform::FileLock::Outcome::kHeldElsewhere);
    }
    EXPECT_FALSE(fs::exists(PathFromUtf8(path)));
    const platform::FileLock again(path);
    EXPECT_EQ(again.outcome(), platform::FileLock::Outcome::kHeld);
    const platform::FileLock nowhere(dir.File("no/such/folder.lock"));
    EXPECT_EQ(nowhere.outcome(), platform::FileLock::Outcome::kFailed);
    EXPECT_FALSE(nowhere.failure().empty());
}

TEST(NewFile, IsMadeOnlyWhereNoneIsAndHoldsTheBytesAsWritten)
{
    const testsupport::TempDir dir;
    const std::string path = dir.File("sheet.csv");
    platform::NewFile file(path);
    ASSERT_FALSE(file.error()) << file.error().message();
    EXPECT_EQ(platform::NewFile(path).error(), std::errc::file_exists);
    EXPECT_FALSE(file.Write("a,b\n1,2\n"));
    EXPECT_FALSE(file.SyncAndClose());
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a,b\n1,2\n");
}

TEST(ExecutablePath, TheProgramsFolderIsTheBuildsAndAProgramIsRunnable)
{
    const std::string folder = platform::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::equivalent(PathFromUtf8(folder), PathFromUtf8(TAVRIN_BIN_DIR)));
    const std::string self = folder + "/platform_tests" + platform::kExecutableSuffix;
    EXPECT_EQ(platform::WhyNotRunnable(self), std::nullopt);
    EXPECT_NE(platform::WhyNotRunnable(folder + "/no-such-program"), std::nullopt);
}

} // namespace
