#include "hostlink/ui/HostSettingsDlg.h"

#include "hostlink/LoadHostNames.h"
#include "hostlink/ui/DialogTemplate.h"
#include "hostlink/ui/WorkerPrompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
#include "ui_HostSettingsDlg.h"

#include <QRegularExpressionValidator>
#include <utility>

namespace {

constexpr QSize kTemplateSize(148, 145);
constexpr char kFirstHostCode[] = "1";

} // namespace

CHostSettingsDlg::CHostSettingsDlg(QWidget* parent)
    : CHostDialog(parent), ui(std::make_unique<Ui::HostSettingsDlg>())
{
    SetUpDialog();
}

CHostSettingsDlg::CHostSettingsDlg(prompt::Prompt& prompt, QWidget* parent,
                                   hostlink::HostDialogOptions options)
    : CHostDialog(prompt, parent, std::move(options)), ui(std::make_unique<Ui::HostSettingsDlg>())
{
    SetUpDialog();
}

CHostSettingsDlg::~CHostSettingsDlg()
{
    // Going away, the dialog ends the wait on the host at once; Exit and Esc
    // wait for the exchange's result instead.
    m_cancel.request_stop();
    EndWork();
}

void CHostSettingsDlg::SetUpDialog()
{
    ui->setupUi(this);
    hostlink::PlaceInDialogUnits(*this, kTemplateSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->editHostCode->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), ui->editHostCode));

    connect(ui->buttonSet, &QPushButton::clicked, this, &CHostSettingsDlg::OnSet);
    connect(ui->buttonExit, &QPushButton::clicked, this, &CHostSettingsDlg::OnExit);
    connect(ui->listHosts, &QListWidget::itemSelectionChanged, this,
            &CHostSettingsDlg::OnSelectionChanged);

    FillHostList();
}

void CHostSettingsDlg::FillHostList()
{
    const hostlink::HostNameList hosts = hostlink::LoadHostNames(UserPrompt());
    if (hosts.status != hostlink::HostNameList::kLoaded)
        return;
    for (const std::string& name : hosts.names) {
        auto* item = new QListWidgetItem(editor::ToQString(name), ui->listHosts);
        // The box follows the selection: clicking a name, its box included,
        // selects it and so ticks it.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (!StartSocketLayer()) {
        UserPrompt().ShowMessage(strings::kHostSettingsNetworkInitFailed,
                                 prompt::MessageIcon::Warning);
        return;
    }
    ui->editHostCode->setText(editor::ToQString(kFirstHostCode));
}

void CHostSettingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->editHostCode->setFocus();
}

void CHostSettingsDlg::OnSelectionChanged()
{
    // The selected name is the one ticked; with no selection none is.
    for (int row = 0; row < ui->listHosts->count(); ++row) {
        QListWidgetItem* item = ui->listHosts->item(row);
        item->setCheckState(item->isSelected() ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<hostlink::HostListItem> CHostSettingsDlg::HostListItems() const
{
    std::vector<hostlink::HostListItem> items;
    for (int row = 0; row < ui->listHosts->count(); ++row) {
        const QListWidgetItem* item = ui->listHosts->item(row);
        items.push_back({editor::ToStdString(item->text()), item->checkState() == Qt::Checked});
    }
    return items;
}

void CHostSettingsDlg::OnSet()
{
    if (IsSetting())
        return;
    // What the press is about is taken now: the list and the code as they
    // stand when Setings is pressed.
    std::vector<hostlink::HostListItem> hosts = HostListItems();
    std::string hostCode = editor::ToStdString(ui->editHostCode->text());
    ui->buttonSet->setEnabled(false);
    m_cancel = std::stop_source();
    StartWork(
        [this, hosts = std::move(hosts), hostCode = std::move(hostCode),
         cancel = m_cancel.get_token()] {
            hostlink::WorkerPrompt prompt(Worker(), UserPrompt());
            hostlink::HostNameSetting setting(prompt, Options().link);
            setting.SetCancelToken(cancel);
            m_lastResult = setting.SetHost(hosts, hostCode);
        },
        [this] { OnSettingFinished(); });
}

void CHostSettingsDlg::OnExit()
{
    CloseWithButton();
}

void CHostSettingsDlg::OnSettingFinished()
{
    ui->buttonSet->setEnabled(true);
    Q_EMIT SettingFinished(m_lastResult);
}
