#include "editor/ui/ConverterDlg.h"

#include "editor/AssignHost.h"
#include "editor/CommandIds.h"
#include "editor/CueGridLayout.h"
#include "editor/DetachedShow.h"
#include "editor/FireOneImport.h"
#include "editor/OpenShowStore.h"
#include "editor/SaveShowStore.h"
#include "editor/ShowStoreFileChoice.h"
#include "editor/UnsavedNamesQuestion.h"
#include "editor/WindowCommands.h"
#include "editor/ui/AboutDlg.h"
#include "editor/ui/AppIcon.h"
#include "editor/ui/AppResources.h"
#include "editor/ui/AssignHostDlg.h"
#include "editor/ui/CueFilterBar.h"
#include "editor/ui/DesignerTools.h"
#include "editor/ui/HostDialogGate.h"
#include "editor/ui/HostEditHistory.h"
#include "editor/ui/LongWork.h"
#include "editor/ui/ShowStatusDisplay.h"
#include "editor/ui/SystemMenu.h"
#include "editor/ui/VSFlexGrid.h"
#include "editor/ui/WindowFont.h"
#include "hostlink/RecordedConversations.h"
#include "hostlink/RehearsalHosts.h"
#include "hostlink/ui/DownloadDlg.h"
#include "hostlink/ui/HostPlanDlg.h"
#include "hostlink/ui/HostSettingsDlg.h"
#include "hostlink/ui/LoadAllHostsDlg.h"
#include "hostlink/ui/VirtualHostsDlg.h"
#include "messages/FailureMessage.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtPrompt.h"
#include "qtcommon/QtText.h"
#include "qtcommon/ShowCheckDlg.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostPlan.h"
#include "show/ShowCheck.h"
#include "store/ComRuntime.h"
#include "store/LayoutTable.h"
#include "ui_ConverterDlg.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QScopeGuard>
#include <QShortcut>
#include <algorithm>
#include <iterator>
#include <utility>

CConverterDlg::CConverterDlg(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::ConverterDlg>())
{
    m_ownPrompt = std::make_unique<qtcommon::QtPrompt>(this);
    m_prompt = m_ownPrompt.get();
    SetUpWindow();
}

CConverterDlg::CConverterDlg(prompt::Prompt& prompt, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::ConverterDlg>()), m_prompt(&prompt)
{
    SetUpWindow();
}

CConverterDlg::~CConverterDlg()
{
    // The grid and the tools outlive this object's members as its children.
    m_grid->ReleaseShow();
    editor::CloseStore(m_db);
    if (m_comStarted)
        store::ComUninitializeThread();
}

void CConverterDlg::SetUpWindow()
{
    editor::InstallFontFallbacks();
    editor::RegisterAppResources();
    ui->setupUi(this);
    m_grid = ui->grid;
    m_grid->SetShow(m_show);
    editor::AddAboutToSystemMenu(*this);
    setWindowIcon(editor::AppIcon());
    m_status = std::make_unique<editor::ShowStatusDisplay>(*this);
    m_longWork = std::make_unique<editor::LongWork>(*this, *m_prompt);
    m_statusTimer.setSingleShot(true);
    connect(&m_statusTimer, &QTimer::timeout, this, &CConverterDlg::ShowStatus);
    SetUpKeyboard();
    ConnectCommands();

    editor::SetUpCueGrid(*m_grid);
    OnGridRowCountChanged(m_grid->GetRowCount());
    ShowStatus();
    m_tools = new editor::CDesignerTools(*this, *m_grid, *m_prompt, m_strStorePath,
                                         {*ui->actionUndo, *ui->actionRedo});

    store::ComInitializeThread();
    m_comStarted = true;

    resize(qtcommon::DialogUnitsToPixels(font(), QSize(624, 407)));
    m_grid->setFocus();
}

// The window's shortcuts, in one table: the platform's standard keys where a
// command has one. The grid, the one control without a label, gets a name of
// its own for assistive tools.
void CConverterDlg::SetUpKeyboard()
{
    const struct
    {
        QAction* action;
        QList<QKeySequence> keys;
    } shortcuts[] = {
        {ui->actionCorvaneDatabase, QKeySequence::keyBindings(QKeySequence::Open)},
        {ui->actionSave, QKeySequence::keyBindings(QKeySequence::Save)},
        {ui->actionPrintLoadSheets, QKeySequence::keyBindings(QKeySequence::Print)},
        {ui->actionExit, QKeySequence::keyBindings(QKeySequence::Quit)},
        {ui->actionUndo, QKeySequence::keyBindings(QKeySequence::Undo)},
        {ui->actionRedo, QKeySequence::keyBindings(QKeySequence::Redo)
                             << QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {ui->actionFilter, QKeySequence::keyBindings(QKeySequence::Find)},
    };
    for (const auto& [action, keys] : shortcuts) {
        QList<QKeySequence> unique;
        for (const QKeySequence& key : keys)
            if (!unique.contains(key))
                unique << key;
        action->setShortcuts(unique);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &CConverterDlg::OnEscape);
    m_grid->setAccessibleName(qtcommon::ToQString(strings::kGridAccessibleName));
}

void CConverterDlg::ConnectCommands()
{
    for (QAction* action : findChildren<QAction*>()) {
        const QVariant id = action->property("commandId");
        if (id.isValid())
            connect(action, &QAction::triggered, this, [this, id] { OnCommand(id.toInt()); });
    }
    connect(m_grid, &CVSFlexGrid::RowCountChanged, this, &CConverterDlg::OnGridRowCountChanged);
    connect(m_grid, &CVSFlexGrid::BeforeEdit, this, &CConverterDlg::OnGridBeforeEdit);
    connect(m_grid, &CVSFlexGrid::MouseDown, this,
            [this](short button, short, float, float) { OnGridMouseDown(button); });
    connect(m_grid, &CVSFlexGrid::EditRefused, this, [this](const show::Failure& failure) {
        messages::ShowFailure(*m_prompt, failure, messages::Doing::kAssigning);
    });
    // Every change of the show, whoever makes it, reaches the marker here.
    m_showSubscription =
        m_show.Subscribe([this](const show::ShowChange& change) { OnShowChanged(change); });
}

void CConverterDlg::OnShowChanged(const show::ShowChange& /*change*/)
{
    // The title at once, the status bar after the burst; a title without a
    // store (no marker in it yet) waits for the status update.
    if (windowTitle().contains(QStringLiteral("[*]")))
        setWindowModified(m_show.AnyChanged());
    ScheduleStatus();
}

// Esc takes back the filter; with none, it does nothing (the window stays).
void CConverterDlg::OnEscape()
{
    m_tools->FilterBar().ClearFilter();
}

editor::ShowContext CConverterDlg::Context()
{
    return {m_db, m_rs, m_strStorePath, m_show, *m_prompt};
}

void CConverterDlg::OnCommand(int id)
{
    // A long command runs: the window waits for it (a menu chosen before its
    // progress dialog showed arrives here afterwards, or not at all).
    if (m_longWork->Busy()) {
        ui->actionRehearsal->setChecked(m_rehearsal); // as it was: nothing changed
        return;
    }
    // The title and status bar are up to date when a command returns.
    const auto showStatus = qScopeGuard([this] { ShowStatus(); });
    // Each command number and what it does; several items may share one.
    struct Route
    {
        int id;
        void (*run)(CConverterDlg& window);
    };
    static constexpr Route kRoutes[] = {
        {editor::kCmdCorvaneDatabase, [](CConverterDlg& w) { w.OnOpen(); }},
        {editor::kCmdToolbarOpen, [](CConverterDlg& w) { w.OnOpen(); }},
        {editor::kCmdSave, [](CConverterDlg& w) { w.OnSave(); }},
        {editor::kCmdToolbarSave, [](CConverterDlg& w) { w.OnSave(); }},
        {editor::kCmdPopupSave, [](CConverterDlg& w) { w.OnSave(); }},
        {editor::kCmdClose, [](CConverterDlg& w) { w.OnClose(); }},
        {editor::kCmdExit, [](CConverterDlg& w) { w.OnExit(); }},
        {editor::kCmdAbout, [](CConverterDlg& w) { w.OnAbout(); }},
        {editor::kCmdAboutBox, [](CConverterDlg& w) { w.OnAbout(); }},
        {editor::kCmdFireOneDatabase, [](CConverterDlg& w) { w.OnFireOneImport(); }},
        {editor::kCmdAssignHost, [](CConverterDlg& w) { w.OnAssignHost(); }},
        {editor::kCmdPopupAssignedHost, [](CConverterDlg& w) { w.OnAssignHost(); }},
        {editor::kCmdDownload, [](CConverterDlg& w) { w.OnDownload(); }},
        {editor::kCmdToolbarDownload, [](CConverterDlg& w) { w.OnDownload(); }},
        {editor::kCmdHostSettings, [](CConverterDlg& w) { w.OnHostSettings(); }},
        {editor::kCmdCheckShow, [](CConverterDlg& w) { w.OnCheckShow(); }},
        {editor::kCmdHostPlan, [](CConverterDlg& w) { w.OnHostPlan(); }},
        {editor::kCmdLoadAllHosts, [](CConverterDlg& w) { w.OnLoadAllHosts(); }},
        {editor::kCmdUndo, [](CConverterDlg& w) { w.m_tools->History().Stack().undo(); }},
        {editor::kCmdRedo, [](CConverterDlg& w) { w.m_tools->History().Stack().redo(); }},
        {editor::kCmdAssignByRange, [](CConverterDlg& w) { w.m_tools->AssignByRange(); }},
        {editor::kCmdFilter, [](CConverterDlg& w) { w.m_tools->FocusFilter(); }},
        {editor::kCmdPrintLoadSheets, [](CConverterDlg& w) { w.m_tools->PrintLoadSheets(); }},
        {editor::kCmdTimeline, [](CConverterDlg& w) { w.m_tools->OpenTimeline(); }},
        {editor::kCmdRehearsal,
         [](CConverterDlg& w) { w.SetRehearsal(w.ui->actionRehearsal->isChecked()); }},
        {editor::kCmdVirtualHosts, [](CConverterDlg& w) { w.OnVirtualHosts(); }},
    };
    const auto* const route = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                           [id](const Route& r) { return r.id == id; });
    if (route != std::end(kRoutes))
        route->run(*this);
}

bool CConverterDlg::MayDropUnsavedNames(const char* next)
{
    return !HasUnsavedHostNames() ||
           editor::MayDropUnsavedNames(*m_prompt, next, [this] { return SaveHostNames(); });
}

bool CConverterDlg::RunShowCommand(const char* doing, messages::Doing failing, bool readsShow,
                                   std::function<void(editor::ShowContext&)> command)
{
    // The command owns what it works on: once cancelled it may still be
    // ending when the window has gone on.
    const auto detached = std::make_shared<editor::DetachedShow>(
        m_show, m_strStorePath,
        readsShow ? editor::DetachedShow::Copy::kShow : editor::DetachedShow::Copy::kPathOnly);
    try {
        return m_longWork->Run(
            doing,
            [detached, command = std::move(command)](prompt::Prompt& user,
                                                     show::WorkProgress& progress) {
                editor::ShowContext show = detached->Context(user, progress);
                command(show);
            },
            [this, &detached](bool ended) { detached->HandBack(m_show, m_strStorePath, ended); });
    } catch (const show::Failure& failure) {
        messages::ShowFailure(*m_prompt, failure, failing);
    }
    return false;
}

void CConverterDlg::ReplaceShow(const char* doing, messages::Doing failing,
                                std::function<void(editor::ShowContext&)> command)
{
    if (!MayDropUnsavedNames(strings::kUnsavedBeforeOpen))
        return;
    // A load that fails leaves the show and its history as they were; a new
    // show, or the same one read afresh, starts its own history by itself.
    if (RunShowCommand(doing, failing, false, std::move(command)))
        ShowHostStates();
}

void CConverterDlg::OnOpen()
{
    ReplaceShow(strings::kProgressOpening, messages::Doing::kOpening,
                [](editor::ShowContext& show) { editor::OpenShowStore(show); });
}

void CConverterDlg::OpenStoreFile(const std::string& path)
{
    if (RunShowCommand(
            strings::kProgressOpening, messages::Doing::kOpening, false,
            [path](editor::ShowContext& show) { editor::OpenShowStoreFile(show, path); }))
        ShowHostStates();
    ShowStatus();
}

void CConverterDlg::OnSave()
{
    SaveHostNames();
}

bool CConverterDlg::SaveHostNames()
{
    const auto saved = std::make_shared<bool>(false); // the command may outlive a cancel
    if (!RunShowCommand(
            strings::kProgressSaving, messages::Doing::kSaving, true,
            [saved](editor::ShowContext& show) { *saved = editor::SaveShowStore(show); }) ||
        !*saved)
        return false;
    ShowHostStates();
    return true;
}

bool CConverterDlg::HasUnsavedHostNames() const
{
    return m_show.AnyChanged();
}

void CConverterDlg::SetHostDialogOptions(hostlink::HostDialogOptions options)
{
    m_hostOptions = std::move(options);
}

void CConverterDlg::SetRehearsal(bool on)
{
    m_rehearsal = on;
    ui->actionRehearsal->setChecked(on);
    ui->actionVirtualHosts->setEnabled(on);
    if (!on)
        m_virtualHosts.reset();
    ShowStatus();
}

hostlink::HostDialogOptions CConverterDlg::HostOptions() const
{
    return m_rehearsal ? hostlink::InRehearsal(m_hostOptions) : m_hostOptions;
}

void CConverterDlg::ScheduleStatus()
{
    if (!m_statusTimer.isActive())
        m_statusTimer.start(0);
}

void CConverterDlg::ShowStatus()
{
    m_statusTimer.stop();
    m_status->Show({m_strStorePath, static_cast<int>(m_show.Size()),
                    static_cast<int>(m_show.HostNameCount()), m_show.AnyChanged(),
                    m_hostsNotCurrent, m_rehearsal});
}

void CConverterDlg::ShowHostStates()
{
    m_hostsNotCurrent.reset();
    if (!m_strStorePath.empty()) {
        try {
            const std::vector<show::PlannedHostState> states =
                hostlink::ReadHostStates(m_strStorePath);
            if (!states.empty())
                m_hostsNotCurrent = static_cast<int>(std::count_if(
                    states.begin(), states.end(), [](const show::PlannedHostState& s) {
                        return s.state != show::HostState::kCurrent;
                    }));
        } catch (const show::Failure&) {
            // the dialogs that read the store say what is wrong with it
        }
    }
    ShowStatus();
}

void CConverterDlg::OnClose()
{
    editor::CloseStore(m_db);
}

void CConverterDlg::OnExit()
{
    if (editor::ConfirmExit(*m_prompt))
        close();
}

void CConverterDlg::OnAbout()
{
    CAboutDlg about(this);
    about.exec();
}

// Each host dialog is made for one use and chooses its own show store,
// starting at the window's; the gate stands between the choice and the
// dialog's reading it.
editor::HostDialogGate CConverterDlg::DialogGate()
{
    return editor::HostDialogGate({*m_prompt, this, m_strStorePath,
                                   [this] { return HasUnsavedHostNames(); },
                                   [this] { return SaveHostNames(); }});
}

void CConverterDlg::OnDownload()
{
    editor::HostDialogGate gate = DialogGate();
    CDownloadDlg* dialog = nullptr;
    const auto showWarnings = [&dialog](const std::string& text) {
        if (dialog)
            dialog->SetStatusLine(text);
    };
    hostlink::HostDialogOptions options = HostOptions();
    options.currentStore = m_strStorePath;
    options.storeGate = [&](const std::string& path) {
        return gate.BeforeDownload(path, showWarnings);
    };
    CDownloadDlg download(*m_prompt, this, std::move(options));
    dialog = &download;
    download.exec();
    ShowHostStates();
}

void CConverterDlg::OnHostSettings()
{
    editor::HostDialogGate gate = DialogGate();
    hostlink::HostDialogOptions options = HostOptions();
    options.currentStore = m_strStorePath;
    options.storeGate = [&gate](const std::string& path) { return gate.BeforeHostSettings(path); };
    CHostSettingsDlg settings(*m_prompt, this, std::move(options));
    settings.exec();
    ShowHostStates();
}

// Checks the show as the grid holds it, unsaved names included, or, with
// none loaded, a store the user picks; the pick does not become the current
// one.
void CConverterDlg::OnCheckShow()
{
    std::string path = m_strStorePath;
    // The check owns what it works on, as a show command does.
    const auto report = std::make_shared<std::optional<show::ShowCheckReport>>();
    if (!path.empty() || !m_show.Empty()) {
        const auto cues = std::make_shared<const std::vector<show::Cue>>(m_show.Cues());
        if (!m_longWork->Run(
                strings::kProgressChecking,
                [cues, report, path](prompt::Prompt&, show::WorkProgress&) {
                    report->emplace(show::CheckShowOfStore(*cues, path));
                },
                [](bool) {}))
            return;
        CShowCheckDlg check(path, **report, this);
        // A finding picked in the list selects its cues in the grid.
        connect(&check, &CShowCheckDlg::CuesPicked, m_tools, &editor::CDesignerTools::SelectCues);
        check.exec();
        return;
    }
    const std::optional<std::string> chosen =
        m_prompt->ChooseOpenFile(editor::ShowStoreFileChoice());
    if (!chosen)
        return;
    path = *chosen;
    if (!m_longWork->Run(
            strings::kProgressChecking,
            [path, report](prompt::Prompt& user, show::WorkProgress& progress) {
                try {
                    *report = show::CheckShowStore(path, progress);
                } catch (const show::Failure& failure) {
                    messages::ShowFailureText(user, failure, messages::Doing::kChecking);
                }
            },
            [](bool) {}) ||
        !*report)
        return;
    CShowCheckDlg check(path, **report, this);
    check.exec();
}

// The plan and the field load work on the current show store as saved, or,
// with none loaded, on a store the user picks.
std::optional<std::string> CConverterDlg::FieldStorePath()
{
    if (!m_strStorePath.empty())
        return m_strStorePath;
    return m_prompt->ChooseOpenFile(editor::ShowStoreFileChoice());
}

template <typename FieldDialog> void CConverterDlg::OpenFieldDialog(const char* next)
{
    const std::optional<std::string> path = FieldStorePath();
    if (path && DialogGate().BeforeReading(*path, next)) {
        FieldDialog dialog(*path, *m_prompt, this, HostOptions());
        dialog.exec();
        ShowHostStates();
    }
}

void CConverterDlg::OnHostPlan()
{
    OpenFieldDialog<CHostPlanDlg>(strings::kUnsavedBeforeHostPlan);
}

void CConverterDlg::OnLoadAllHosts()
{
    // The hosts get the store as saved: never other names than the grid's
    // without the designer's word.
    OpenFieldDialog<CLoadAllHostsDlg>(strings::kUnsavedBeforeLoadAll);
}

// One virtual host per host code of the plan of the current store (or one
// the designer picks), each with the fault the designer sets for it.
void CConverterDlg::OnVirtualHosts()
{
    if (!m_rehearsal)
        return;
    const std::optional<std::string> path = FieldStorePath();
    if (!path)
        return;
    std::vector<show::HostPlanEntry> plan;
    try {
        plan = show::ReadHostPlanChecked(*path);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(*m_prompt, failure, messages::Doing::kPlanning);
        return;
    }
    if (plan.empty()) {
        m_prompt->ShowMessage(strings::kVirtualHostsNoPlan, prompt::MessageIcon::Warning);
        return;
    }
    if (!m_virtualHosts)
        m_virtualHosts = std::make_unique<hostlink::RehearsalHosts>();
    CVirtualHostsDlg dialog(std::move(plan), *m_virtualHosts, *m_prompt, this);
    dialog.exec();
}

void CConverterDlg::OnFireOneImport()
{
    ReplaceShow(strings::kProgressImporting, messages::Doing::kImporting,
                [](editor::ShowContext& show) { editor::ImportFireOne(show); });
}

void CConverterDlg::OnAssignHost()
{
    editor::ShowContext show = Context();
    editor::AssignHostDialogAsker asker(*m_prompt, this);
    const editor::HostEditGroup undoStep(m_tools->History(),
                                         editor::HostEditHistory::Command::kAssignHost);
    editor::AssignHost(show, *m_grid, asker);
}

// The right button opens the popup menu ("_POP_", declared with the
// window's other menus) at the cursor; the chosen item runs as its command,
// as every menu item does, once the menu has gone. The menu acts on the
// grid's selection as it stands.
void CConverterDlg::OnGridMouseDown(short button)
{
    if (button == 2)
        ui->popupMenu->exec(QCursor::pos());
}

void CConverterDlg::OnGridRowCountChanged(int rows)
{
    // Nothing to save without a cue row.
    ui->actionSave->setEnabled(rows > 1);
    ui->actionToolbarSave->setEnabled(rows > 1);
}

void CConverterDlg::OnGridBeforeEdit(int /*row*/, int column, bool* cancel)
{
    // Only host names are the user's to change; Save writes nothing else.
    if (column != show::kColumnHost)
        *cancel = true;
}

// Every way the window ends (the close box, the system menu, Exit, Ctrl+Q)
// comes here; unsaved host names are not dropped without the user's word.
void CConverterDlg::closeEvent(QCloseEvent* event)
{
    // Not while a long command runs: its progress dialog's Cancel ends it.
    if (m_longWork->Busy() || !MayDropUnsavedNames(strings::kUnsavedBeforeExit)) {
        event->ignore();
        return;
    }
    editor::CloseStore(m_db);
    if (m_comStarted) {
        store::ComUninitializeThread();
        m_comStarted = false;
    }
    event->accept();
}

#ifdef Q_OS_WIN
bool CConverterDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (editor::IsAboutSystemCommand(eventType, message)) {
        OnAbout();
        *result = 0;
        return true;
    }
    return QMainWindow::nativeEvent(eventType, message, result);
}
#endif
