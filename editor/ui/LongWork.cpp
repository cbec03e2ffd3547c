#include "editor/ui/LongWork.h"

#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace editor {

namespace {

using News = BackgroundCommand::News;

// How often the dialog shows the count and looks for the command's news.
constexpr std::chrono::milliseconds kTick{40};

int Clamped(std::size_t count)
{
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

} // namespace

LongWork::LongWork(QWidget& window, prompt::Prompt& user) : window_(window), user_(user) {}

LongWork::~LongWork() = default;

void LongWork::SetTiming(std::chrono::milliseconds threshold, BackgroundCommand::Clock clock)
{
    threshold_ = threshold;
    clock_ = std::move(clock);
}

bool LongWork::Run(const char* doing, BackgroundCommand::Work work,
                   const std::function<void(bool ended)>& handBack)
{
    std::erase_if(ending_, [](const std::unique_ptr<BackgroundCommand>& command) {
        return command->Pending() == News::kFinished;
    });
    busy_ = true;
    const auto idle = qScopeGuard([this] { busy_ = false; });
    // The stretch starts before the work does: it may move a test's clock.
    auto deadline = clock_() + threshold_;
    auto command = std::make_unique<BackgroundCommand>(user_, std::move(work));
    for (;;) {
        switch (command->WaitUntil(deadline, clock_)) {
        case News::kQuestion:
            handBack(false);
            command->AskPending();
            deadline = clock_() + threshold_;
            break;
        case News::kFinished:
            handBack(true);
            command->RethrowFailure();
            return true;
        case News::kNone:
            if (!ShowProgress(*command, doing)) {
                ending_.push_back(std::move(command));
                return false;
            }
            break;
        }
    }
}

bool LongWork::ShowProgress(BackgroundCommand& command, const char* doing)
{
    QProgressDialog dialog(qtcommon::ToQString(doing), qtcommon::ToQString(strings::kButtonCancel),
                           0, 0, &window_);
    dialog.setWindowTitle(qtcommon::ToQString(strings::kAppName));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(0);
    QEventLoop loop;
    bool cancelled = false;
    const auto update = [&] {
        if (command.Pending() != News::kNone) {
            loop.quit();
            return;
        }
        const std::size_t done = command.Progress().Done();
        const std::size_t total = command.Progress().Total();
        QString text = qtcommon::ToQString(doing);
        if (done > 0)
            text +=
                QLatin1Char('\n') +
                qtcommon::ToQString(strings::FormatText(strings::kProgressRecords, Clamped(done)));
        dialog.setLabelText(text);
        dialog.setMaximum(Clamped(total)); // 0: a busy bar, the total not known
        if (total > 0)
            dialog.setValue(Clamped(done));
    };
    // The Cancel button and the close box cancel; so does Escape, which
    // rejects the dialog.
    const auto cancel = [&] {
        if (command.Cancel()) {
            cancelled = true;
            loop.quit();
            return;
        }
        dialog.reset(); // it is committing: it ends by itself, as it would have
        dialog.show();
    };
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, cancel);
    QObject::connect(&dialog, &QDialog::rejected, &loop, cancel);
    QTimer tick;
    tick.setInterval(kTick);
    QObject::connect(&tick, &QTimer::timeout, &loop, update);
    update();
    dialog.show();
    tick.start();
    if (command.Pending() == News::kNone)
        loop.exec();
    return !cancelled;
}

} // namespace editor
