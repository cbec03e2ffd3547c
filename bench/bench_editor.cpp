// Editor benchmark: a show store of 100 000 cues opened into the main
// window's grid (offscreen), then every host name saved back. Prints the
// figures; exits 1 when a target is missed.
#include "ADODataBase.h"
#include "ADORecordset.h"
#include "ConverterDlg.h"
#include "LayoutTable.h"
#include "Prompt.h"
#include "Transaction.h"
#include "VSFlexGrid.h"
#include "engine/SqliteDatabase.h"
#include "strings/Strings.h"

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <stdexcept>
#include <string>

namespace {

constexpr int kCues = 100000;

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void WriteStore(const std::string& path)
{
    std::filesystem::remove(path);
    store::SqliteDatabase::CreateNew(path)->Execute(store::kCreateLayoutTableSql);
    CADODataBase db;
    if (!db.Open(store::ConnectionStringFor(path), "", ""))
        throw std::runtime_error(db.GetLastErrorText());
    store::Transaction transaction(*db.GetConnection());
    CADORecordset rs(&db);
    if (!rs.Open(store::kLayoutTable, modeTable))
        throw std::runtime_error(rs.GetLastErrorText());
    char text[16];
    for (int n = 0; n < kCues; ++n) {
        std::snprintf(text, sizeof text, "%02d", n % 100);
        rs.AddNew();
        rs.WriteField("FlowID", n);
        rs.WriteField("HostName", std::string("HOST"));
        rs.WriteField("HostIndex", 1);
        rs.WriteField("BlastTime", n * 37);
        rs.WriteField("Addr", std::string(text));
        rs.WriteField("Channel", std::string(text));
        rs.WriteField("CDCode", n % 7);
        rs.WriteField("Sector", 0);
    }
    if (!rs.Update())
        throw std::runtime_error(rs.GetLastErrorText());
    rs.Close();
    transaction.Commit();
}

// kB from /proc/self/status ("VmRSS:", "VmHWM:").
long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

// Starts peak memory counting afresh; false where the kernel does not allow it.
bool ResetPeakMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

class BenchPrompt final : public prompt::Prompt
{
public:
    explicit BenchPrompt(std::string store) : store_(std::move(store)) {}
    void ShowMessage(const std::string& text, prompt::MessageIcon /*icon*/) override
    {
        messages += text + "\n";
    }
    bool AskYesNo(const std::string& /*text*/) override { return false; }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& /*choice*/) override
    {
        return store_;
    }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& /*choice*/) override
    {
        return std::nullopt;
    }
    std::string messages;

private:
    std::string store_;
};

bool Report(const char* what, double value, double target, const char* unit)
{
    const bool met = value <= target;
    std::printf("%-46s %9.3f %s  (target <= %.0f %s) %s\n", what, value, unit, target, unit,
                met ? "ok" : "MISSED");
    return met;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto dir = std::filesystem::temp_directory_path() / "tavrin-bench-editor";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "show.db").string();
    WriteStore(path);
    malloc_trim(0);

    QApplication app(argc, argv);
    BenchPrompt prompt(path);
    CConverterDlg window(prompt);
    window.show();
    QApplication::processEvents();
    auto* grid = window.findChild<CVSFlexGrid*>(QStringLiteral("grid"));

    const long before = StatusKb("VmRSS:");
    const bool peakReset = ResetPeakMemory();
    auto start = std::chrono::steady_clock::now();
    window.findChild<QAction*>(QStringLiteral("actionCorvaneDatabase"))->trigger();
    QApplication::processEvents(); // the view lays out and paints the new rows
    const double open = Seconds(start);
    const long peak = StatusKb("VmHWM:");
    if (grid->GetRowCount() != kCues + 1 || !prompt.messages.empty()) {
        std::fprintf(stderr, "open failed: %d rows; %s\n", grid->GetRowCount(),
                     prompt.messages.c_str());
        return 1;
    }

    for (int row = 1; row <= kCues; ++row)
        grid->SetCellText(row, 1, "H" + std::to_string(row % 40));
    start = std::chrono::steady_clock::now();
    window.findChild<QAction*>(QStringLiteral("actionSave"))->trigger();
    const double save = Seconds(start);
    if (prompt.messages != std::string(strings::kSaveDone) + "\n") {
        std::fprintf(stderr, "save failed: %s\n", prompt.messages.c_str());
        return 1;
    }

    // Opening again replaces a full grid.
    start = std::chrono::steady_clock::now();
    window.findChild<QAction*>(QStringLiteral("actionCorvaneDatabase"))->trigger();
    QApplication::processEvents();
    const double reopen = Seconds(start);
    if (grid->GetRowCount() != kCues + 1 ||
        prompt.messages != std::string(strings::kSaveDone) + "\n") {
        std::fprintf(stderr, "second open failed: %s\n", prompt.messages.c_str());
        return 1;
    }

    std::printf("%d cues\n", kCues);
    bool ok = true;
    ok &= Report("open into the window's grid", open, 1.0, "s");
    if (peakReset)
        ok &= Report("peak memory of the process during the open", peak / 1024.0, 200, "MB");
    else
        std::printf("peak memory could not be measured apart from the store's making\n");
    std::printf("%-46s %9.3f MB\n", "memory before the open", before / 1024.0);
    ok &= Report("save every host name", save, 1.0, "s");
    ok &= Report("open again over the full grid", reopen, 1.0, "s");
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
