// Import benchmark: a FireOne SQLite file of 100 000 records imported into
// the main window's grid (offscreen): converted into tb_Layout in one
// transaction and shown; then imported again, which finds the show
// unchanged and loads the stored show table; then, the FireOne show changed,
// imported once more, which brings the store up to it with its host names.
// Prints the figures; exits 1 when a target is missed.
#include "bench/BenchSupport.h"
#include "bench/BenchWindow.h"
#include "editor/FireOneImport.h"
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/VSFlexGrid.h"
#include "prompt/FixedFilePrompt.h"
#include "show/Failure.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
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

// The show changed in FireOne: every tenth cue moved by 5 ms, a hundredth
// of the cues removed and as many added.
void ChangeFireOneShow(const std::string& path)
{
    auto db = store::SqliteDatabase::OpenExisting(path);
    db->BeginTransaction();
    db->Execute("UPDATE FireData SET LaunchTimeMS = LaunchTimeMS + 5 WHERE ID % 10 = 0");
    db->Execute("DELETE FROM FireData WHERE ID % 100 = 7");
    db->Execute("INSERT INTO FireData SELECT ID + 1000000, LaunchTimeMS + 3, Event, Slat, Cue, "
                "Note FROM FireData WHERE ID % 100 = 8");
    db->CommitTransaction();
}

// The command line's import of the changed show, which updates the store.
Timing Reimport(const std::string& path)
{
    CADODataBase db;
    CADORecordset rs;
    std::string storePath;
    show::Show show;
    prompt::FixedFilePrompt prompt(path);
    editor::ShowContext context{db, rs, storePath, show, prompt};
    const double cpu = bench::CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::string failure;
    bool imported = false;
    try {
        imported = editor::ImportFireOne(context, editor::StorePlace::kAsTheFileAllows,
                                         editor::ShowUpdate::kUpdate);
    } catch (const show::Failure& error) {
        failure = error.what();
    }
    Timing timing{bench::Seconds(start), bench::CpuSeconds() - cpu};
    if (!imported || show.Size() != kRecords) {
        std::fprintf(stderr, "re-import failed: %zu cues; %s%s\n", show.Size(), failure.c_str(),
                     prompt.messages.c_str());
        timing.wall = -1;
    }
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    const auto dir = bench::TempFolder("tavrin-bench-import");
    const std::string path = (dir / "fireone.db").string();
    bench::WriteFireOneSqliteFile(path, kRecords);
    bench::ShownWindow shown(argc, argv, path);

    const Timing first = Import(shown.window, shown.grid, shown.prompt);
    const Timing second =
        first.wall < 0 ? Timing{} : Import(shown.window, shown.grid, shown.prompt);
    Timing third;
    if (second.wall >= 0) {
        ChangeFireOneShow(path);
        third = Reimport(path);
    }
    std::filesystem::remove_all(dir);
    if (first.wall < 0 || second.wall < 0 || third.wall < 0)
        return 1;

    std::printf("%d FireOne records\n", kRecords);
    bool ok = true;
    ok &= Report("import: convert, commit and fill the grid", first, 1.5);
    ok &= Report("import again: unchanged, load the stored show", second, 1.5);
    std::printf("%-44s %7.3f s (processor %.3f s)\n", "import of the changed show", third.wall,
                third.cpu);
    ok &= bench::Report("changed show against the first import (processor time)",
                        third.cpu / first.cpu, 1.0, "x");
    return ok ? 0 : 1;
}
