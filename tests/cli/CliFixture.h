#pragma once

#include "show/Cue.h"
#include "show/ShowReader.h"
#include "tests/cli/CliRun.h"
#include "tests/hostlink/HostlinkTestSupport.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace clitest {

using hostlinktest::StoreRow;

// A folder of show stores for one test, and tavrin-cli to run on them.
class Cli : public ::testing::Test
{
protected:
    std::string Store(const std::vector<StoreRow>& rows, const std::string& name = "show.db")
    {
        return hostlinktest::MakeShowStore(dir, rows, name);
    }

    // The host names of a store's records, in store order.
    std::vector<std::string> HostNames(const std::string& path)
    {
        std::vector<std::string> names;
        for (const show::Cue& cue : show::ReadShowFile(path))
            names.push_back(cue.HostName);
        return names;
    }

    static nlohmann::json Json(const CliResult& result)
    {
        try {
            return nlohmann::json::parse(result.out);
        } catch (const nlohmann::json::exception& error) {
            ADD_FAILURE() << error.what() << "\n" << result.out;
            return {};
        }
    }

    testsupport::TempDir dir;
};

// A line of output as the program writes it.
inline std::string Line(const std::string& text)
{
    return text + "\n";
}

// A file's bytes; the names in a folder, hidden ones too, in order.
inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The run failed (exit 1) with just `err` on stderr and nothing on stdout.
inline void ExpectFailure(const CliResult& result, const std::string& err)
{
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, err);
    EXPECT_TRUE(result.out.empty()) << result.out;
}

// Four cues on two hosts, all fine for a download.
inline std::vector<StoreRow> FourCues()
{
    return {
        {.FlowID = 0, .HostName = "A1", .BlastTime = 3000, .Addr = "02", .Channel = "00"},
        {.FlowID = 1, .HostName = "B2", .BlastTime = 1000, .Addr = "01", .Channel = "00"},
        {.FlowID = 2, .HostName = "A1", .BlastTime = 2000, .Addr = "01", .Channel = "01"},
        {.FlowID = 3, .HostName = "北岸-1", .BlastTime = 3723004, .Addr = "07", .Channel = "11"}};
}

} // namespace clitest
