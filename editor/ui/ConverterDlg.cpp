#include "ConverterDlg.h"

#include "AboutDlg.h"
#include "AppIcon.h"
#include "AppResources.h"
#include "AssignHost.h"
#include "AssignHostDlg.h"
#include "ComRuntime.h"
#include "CommandIds.h"
#include "CueGridLayout.h"
#include "DialogUnits.h"
#include "DownloadDlg.h"
#include "FireOneImport.h"
#include "GridPopupMenu.h"
#include "HostPlanDlg.h"
#include "HostSettingsDlg.h"
#include "LayoutTable.h"
#include "LoadAllHostsDlg.h"
#include "OpenShowStore.h"
#include "QtPrompt.h"
#include "SaveShowStore.h"
#include "ShowCheck.h"
#include "ShowCheckDlg.h"
#include "ShowStoreFileChoice.h"
#include "SystemMenu.h"
#include "VSFlexGrid.h"
#include "WindowCommands.h"
#include "WindowFont.h"
#include "ui_ConverterDlg.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenu>

CConverterDlg::CConverterDlg(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::ConverterDlg>())
{
    m_ownPrompt = std::make_unique<editor::QtPrompt>(this);
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
    editor::CloseStore(m_db);
    if (m_comStarted)
        store::ComUninitializeThread();
}

void CConverterDlg::SetUpWindow()
{
    editor::InstallFontFallbacks();
    editor::LoadAppResources();
    ui->setupUi(this);
    m_grid = ui->grid;
    editor::AddAboutToSystemMenu(*this);
    setWindowIcon(editor::AppIcon());
    ConnectCommands();

    editor::SetUpCueGrid(*m_grid);
    OnGridRowCountChanged(m_grid->GetRowCount());

    store::ComInitializeThread();
    m_comStarted = true;

    resize(editor::DialogUnitsToPixels(font(), QSize(624, 407)));
    m_grid->setFocus();
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
}

editor::ShowContext CConverterDlg::Context()
{
    return {m_db, m_rs, m_strStorePath, *m_grid, *m_prompt};
}

void CConverterDlg::OnCommand(int id)
{
    switch (id) {
    case editor::kCmdLoadCorvane:
    case editor::kCmdToolbarOpen:
        OnOpen();
        break;
    case editor::kCmdSave:
    case editor::kCmdToolbarSave:
    case editor::kCmdPopupSave:
        OnSave();
        break;
    case editor::kCmdClose:
        OnClose();
        break;
    case editor::kCmdExit:
        OnExit();
        break;
    case editor::kCmdAbout:
    case editor::kCmdAboutBox:
        OnAbout();
        break;
    case editor::kCmdLoadFireOne:
        OnFireOneImport();
        break;
    case editor::kCmdAssignHost:
    case editor::kCmdPopupAssignedHost:
        OnAssignHost();
        break;
    case editor::kCmdDownload:
    case editor::kCmdToolbarDownload:
        OnDownload();
        break;
    case editor::kCmdHostSettings:
        OnHostSettings();
        break;
    case editor::kCmdCheckShow:
        OnCheckShow();
        break;
    case editor::kCmdHostPlan:
        OnHostPlan();
        break;
    case editor::kCmdLoadAllHosts:
        OnLoadAllHosts();
        break;
    default:
        break;
    }
}

void CConverterDlg::OnOpen()
{
    editor::ShowContext show = Context();
    editor::OpenShowStore(show);
}

void CConverterDlg::OnSave()
{
    editor::ShowContext show = Context();
    editor::SaveShowStore(show);
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

// Each host dialog is made for one use and chooses its own show store; the
// window's grid and store are not theirs.
void CConverterDlg::OnDownload()
{
    CDownloadDlg download(*m_prompt, this);
    download.exec();
}

void CConverterDlg::OnHostSettings()
{
    CHostSettingsDlg settings(*m_prompt, this);
    settings.exec();
}

// Checks the current show store as saved (not the grid), or, with none
// loaded, a store the user picks; the pick does not become the current one.
void CConverterDlg::OnCheckShow()
{
    std::string path = m_strStorePath;
    if (path.empty()) {
        const std::optional<std::string> chosen =
            m_prompt->ChooseOpenFile(editor::ShowStoreFileChoice());
        if (!chosen)
            return;
        path = *chosen;
    }
    const editor::ShowCheckReport report = editor::CheckShowStore(path);
    CShowCheckDlg check(path, report, this);
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

void CConverterDlg::OnHostPlan()
{
    if (const std::optional<std::string> path = FieldStorePath()) {
        CHostPlanDlg plan(*path, *m_prompt, this);
        plan.exec();
    }
}

void CConverterDlg::OnLoadAllHosts()
{
    if (const std::optional<std::string> path = FieldStorePath()) {
        CLoadAllHostsDlg load(*path, *m_prompt, this);
        load.exec();
    }
}

void CConverterDlg::OnFireOneImport()
{
    editor::ShowContext show = Context();
    editor::ImportFireOne(show);
}

void CConverterDlg::OnAssignHost()
{
    editor::ShowContext show = Context();
    editor::AssignHostDialogAsker asker(*m_prompt, this);
    editor::AssignHost(show, asker);
}

// The right button opens the popup menu at the cursor; the chosen item runs
// as its command. The menu acts on the grid's selection as it stands.
void CConverterDlg::OnGridMouseDown(short button)
{
    if (button != 2)
        return;
    const std::unique_ptr<QMenu> popup(editor::CreateGridPopupMenu(window()));
    const QAction* chosen = popup->exec(QCursor::pos());
    if (chosen)
        OnCommand(chosen->property("commandId").toInt());
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
    if (column != store::kColumnHost)
        *cancel = true;
}

void CConverterDlg::closeEvent(QCloseEvent* event)
{
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
