#include "app/ConverterApp.h"

#include "app/PlatformStartup.h"
#include "editor/ui/ConverterDlg.h"
#include "editor/ui/WindowPlacement.h"
#include "qtcommon/QtPrompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QSettings>
#include <memory>

CConverterApp::CConverterApp(int& argc, char** argv)
    : QApplication(argc, argv), startSockets_(app::StartSockets)
{
    setApplicationName(QString::fromUtf8(strings::kAppName));
    // Where the window's geometry is kept (QSettings).
    setOrganizationName(QStringLiteral("Tavrin"));
    setQuitOnLastWindowClosed(true);
}

CConverterApp::~CConverterApp() = default;

void CConverterApp::SetSocketStartup(std::function<bool()> startSockets)
{
    startSockets_ = std::move(startSockets);
}

CConverterApp::StartArguments CConverterApp::ReadStartArguments(const QStringList& arguments)
{
    StartArguments start;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String(kRehearseOption))
            start.rehearse = true;
        else if (!start.store)
            start.store = arguments.at(i);
    }
    return start;
}

int CConverterApp::InitInstance()
{
    qtcommon::QtPrompt ownPrompt(nullptr);
    prompt::Prompt& prompt = prompt_ ? *prompt_ : ownPrompt;
    if (!startSockets_()) {
        prompt.ShowMessage(strings::kSocketStartupFailed, prompt::MessageIcon::Warning);
        return 1;
    }
    app::EnableControlHosting();

    // The window closes its store connection when it goes, at the end of
    // this scope.
    std::unique_ptr<CConverterDlg> window =
        prompt_ ? std::make_unique<CConverterDlg>(*prompt_) : std::make_unique<CConverterDlg>();
    // The window's geometry is all the program keeps between runs.
    QSettings settings;
    editor::WindowPlacement placement(settings);
    placement.Restore(*window);
    window->show();
    // `tavrin FILE`: the show store a file manager opens with the program;
    // `tavrin --rehearse [FILE]`: the window in rehearsal from the start,
    // before anything could be sent.
    const StartArguments start = ReadStartArguments(QCoreApplication::arguments());
    if (start.rehearse)
        window->SetRehearsal(true);
    if (start.store)
        window->OpenStoreFile(qtcommon::ToStdString(*start.store));
    const int result = exec();
    placement.Save(*window);
    return result;
}
