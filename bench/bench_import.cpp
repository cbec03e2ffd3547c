// Import benchmark: a FireOne SQLite file of 100 000 records imported into
// the main window's grid (offscreen): converted into tb_Layout in one
// transaction and shown; then imported again, which loads the stored show
// table. Prints the figures; exits 1 when a target is missed.
#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "prompt/FixedFilePrompt.h"
#include "store/engine/SqliteDatabase.h"

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

constexpr int kRecords = 100000;

void WriteFireOneFile(const std::string& path)
{
    std::filesystem::remove(path);
    auto db = store::SqliteDatabase::CreateNew(path);
    db->Execute("CREATE TABLE FireData(ID int, LaunchTimeMS int, Event int, Slat int, Cue int, "
                "Note nVarchar(50))");
    db->BeginTransaction();
    constexpr int kSlice = 1000;
    for (int start = 0; start < kRecords; start += kSlice) {
        std::string sql = "INSERT INTO FireData VALUES ";
        for (int i = start; i < start + kSlice && i < kRecords; ++i)
            sql += (i > start ? "," : "") + std::string("(") + std::to_string(i) + "," +
                   std::to_string(i * 37) + "," + std::to_string(i % 7) + "," +
                   std::to_string(i % 99 + 1) + "," + std::to_string(i % 32 + 1) + ",'shell')";
        db->Execute(sql);
    }
    db->CommitTransaction();
}

struct Timing
{
    double wall = -1;
    double cpu = -1;
};

bool Report(const char* what, const Timing& timing, double target)
{
    const bool met = timing.wall <= target;
    std::printf("%-44s %7.3f s (processor %.3f s)  (target <= %.1f s) %s\n", what, timing.wall,
                timing.cpu, target, met ? "ok" : "MISSED");
    return met;
}

// Imports through the window's menu; wall < 0 on a failure.
Timing Import(CConverterDlg& window, CVSFlexGrid& grid, prompt::FixedFilePrompt& prompt)
{
    const double cpu = bench::CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    window.findChild<QAction*>(QStringLiteral("actionFireOneDatabase"))->trigger();
    QApplication::processEvents(); // the view lays out and paints the new rows
    Timing timing{bench::Seconds(start), bench::CpuSeconds() - cpu};
    if (grid.GetRowCount() != kRecords + 1 || !prompt.messages.empty()) {
        std::fprintf(stderr, "import failed: %d rows; %s\n", grid.GetRowCount(),
                     prompt.messages.c_str());
        timing.wall = -1;
    }
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    bench::UseOffscreenQtUnlessSet();
    const auto dir = bench::TempFolder("tavrin-bench-import");
    const std::string path = (dir / "fireone.db").string();
    WriteFireOneFile(path);

    QApplication app(argc, argv);
    prompt::FixedFilePrompt prompt(path);
    CConverterDlg window(prompt);
    CVSFlexGrid* grid = &bench::ShownGrid(window);

    const Timing first = Import(window, *grid, prompt);
    const Timing second = first.wall < 0 ? Timing{} : Import(window, *grid, prompt);
    std::filesystem::remove_all(dir);
    if (first.wall < 0 || second.wall < 0)
        return 1;

    std::printf("%d FireOne records\n", kRecords);
    bool ok = true;
    ok &= Report("import: convert, commit and fill the grid", first, 1.5);
    ok &= Report("import again: load the stored show table", second, 1.5);
    return ok ? 0 : 1;
}
