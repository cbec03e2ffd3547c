// tavrin-cli import of an Access FireOne file into a new show store. No
// Access test file holds FireData, so a copy of the program runs next to the
// stand-in reader of the editor's tests, which describes the tables.
#include "resources/strings/Strings.h"
#include "tests/cli/CliFixture.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using clitest::RunProgram;

constexpr char kFireData[] = "table FireData\n"
                             "column LaunchTimeMS 4 4\n"
                             "column Event 3 2\n"
                             "column Slat 2 1\n"
                             "column Cue 4 4\n"
                             "row 3723004|3|7|12\n"
                             "row 500|1|1|0\n";

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliAccessImport : public clitest::Cli
{
protected:
    void SetUp() override
    {
        const std::optional<std::string> copy = clitest::CliBesideStandInReader(dir.path());
        if (!copy)
            GTEST_SKIP() << "no stand-in Access reader in this build";
        program = *copy;
        source = dir.File("show.mdb");
        fs::copy_file(std::string(TAVRIN_TEST_DATA_DIR) + "/../store/fixtures/access/emptyJet4.mdb",
                      source);
    }

    void Describe(const std::string& tables) { std::ofstream(source + ".tables") << tables; }

    std::string program;
    std::string source;
};

TEST_F(CliAccessImport, GoesIntoANewStoreBesideTheFileByDefault)
{
    Describe(kFireData);
    const std::string before = Bytes(source);
    const auto result = RunProgram(program, {"import", source});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string store = dir.File("show.db");
    EXPECT_EQ(result.out, store + "\n");
    EXPECT_EQ(Bytes(source), before) << "the Access file is never touched";
    const auto shown = RunProgram(program, {"show", store, "--csv"});
    EXPECT_EQ(shown.out, "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
                         "0,HOST,01:02:03.004,0,3,07,11,\n"
                         "1,HOST,00:00.500,0,1,01,-1,\n");
}

TEST_F(CliAccessImport, StoreOptionNamesTheNewStoreAndAnotherFileIsNeverOverwritten)
{
    Describe(kFireData);
    const std::string chosen = dir.File("chosen.sqlite");
    const auto result = RunProgram(program, {"import", source, "--store", chosen});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, chosen + "\n");
    EXPECT_FALSE(fs::exists(dir.File("show.db")));

    const std::string notes = dir.File("notes.txt");
    std::ofstream(notes) << "keep me";
    const auto refused = RunProgram(program, {"import", source, "--store", notes});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(refused.err.empty());
    EXPECT_EQ(Bytes(notes), "keep me");
}

TEST_F(CliAccessImport, AFileWithoutFireDataImportsNothingAndSaysSo)
{
    const auto result = RunProgram(program, {"import", source});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string(strings::kCliNothingImported) + "\n");
    EXPECT_FALSE(fs::exists(dir.File("show.db")));
}

// A FireOne script file is an Access database named .fir: the real reader
// takes it by its content.
using CliFireOneScript = clitest::Cli;

TEST_F(CliFireOneScript, IsImportedByItsContent)
{
    const std::string script = dir.File("finale.fir");
    fs::copy_file(std::string(TAVRIN_TEST_DATA_DIR) + "/../store/fixtures/access/fireone-48.mdb",
                  script);
    const auto result = RunProgram(clitest::CliPath(), {"import", script});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string store = dir.File("finale.db");
    EXPECT_EQ(result.out, store + "\n");
    const auto shown = RunProgram(clitest::CliPath(), {"show", store, "--csv"});
    EXPECT_EQ(shown.out.substr(0, shown.out.find('\n', shown.out.find('\n') + 1) + 1),
              "Sequence,Host,Launch Time,Offset,Event,Sla,Cue,Note\n"
              "0,HOST,00:00.000,0,1,01,00,\n");
    EXPECT_EQ(HostNames(store).size(), 48u);
}

} // namespace
