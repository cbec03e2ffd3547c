#include "tools/screenshot/HostDialogShots.h"

#include "hostlink/ui/DownloadDlg.h"
#include "hostlink/ui/HostSettingsDlg.h"
#include "prompt/FixedFilePrompt.h"
#include "tools/screenshot/DemoShow.h"
#include "tools/virtual-host/VirtualFiringHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <cstdio>

namespace {

void Settle()
{
    for (int pass = 0; pass < 10; ++pass)
        QApplication::processEvents();
}

int Save(QWidget& dialog, const QString& output)
{
    Settle();
    if (!dialog.grab().save(output)) {
        std::fprintf(stderr, "tavrin-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

} // namespace

int ShootDownloadDialog(const std::string& store, const QString& output)
{
    // Loopback only: the host answers the project name and 16 of the 40 cues.
    hostlink::VirtualHostOptions hostOptions;
    hostOptions.port = 0;
    hostOptions.silentFrom = 18;
    hostlink::VirtualFiringHost host(hostOptions);
    std::string error;
    if (!host.Start(error)) {
        std::fprintf(stderr, "tavrin-screenshot: %s\n", error.c_str());
        return 1;
    }
    hostlink::HostLinkOptions link;
    link.addressPattern = "127.0.0.1";
    link.port = host.Port();
    link.receiveTimeout = std::chrono::milliseconds(1000);
    hostlink::HostDialogOptions options;
    options.links = hostlink::EveryHostAt(link);

    prompt::FixedFilePrompt prompt(store);
    CDownloadDlg dialog(prompt, nullptr, options);
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("buttonDownload"))->click();
    auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QElapsedTimer waited;
    waited.start();
    while (bar->value() < 40 && waited.elapsed() < 10000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    if (bar->value() < 40 || ShowedMessages(prompt)) {
        std::fprintf(stderr, "tavrin-screenshot: the download did not get under way\n");
        return 1;
    }
    return Save(dialog, output); // the dialog cancels the download as it goes
}

int ShootHostSettingsDialog(const std::string& store, const QString& output)
{
    prompt::FixedFilePrompt prompt(store);
    CHostSettingsDlg dialog(prompt);
    if (ShowedMessages(prompt))
        return 1;
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("listHosts"));
    list->setCurrentRow(1);
    return Save(dialog, output);
}
