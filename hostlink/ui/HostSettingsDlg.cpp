#include "hostlink/ui/HostSettingsDlg.h"

#include "hostlink/ReadHostNames.h"
#include "hostlink/RecordedConversations.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostCode.h"
#include "show/HostNameRules.h"
#include "ui_HostSettingsDlg.h"

#include <QRegularExpressionValidator>
#include <utility>

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
    EndWork();
}

void CHostSettingsDlg::SetUpDialog()
{
    ui->setupUi(this);
    ShowRehearsalNote(ui->editHostCode);
    FitDrawnSize(QSize(148, 145));
    ui->editHostCode->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), ui->editHostCode));

    connect(ui->buttonSet, &QPushButton::clicked, this, &CHostSettingsDlg::OnSet);
    connect(ui->buttonExit, &QPushButton::clicked, this, &CHostDialog::CloseWithButton);
    connect(ui->listHosts, &QListWidget::itemSelectionChanged, this,
            &CHostSettingsDlg::OnSelectionChanged);

    FillHostList();
}

void CHostSettingsDlg::FillHostList()
{
    const std::optional<std::string> path = ChooseStore();
    if (!path || !StoreMayBeRead(*path))
        return;
    std::vector<std::string> names;
    try {
        names = hostlink::ReadHostNames(*path);
    } catch (const show::Failure& failure) {
        ShowFailure(failure, messages::Doing::kSettingHost);
        return;
    }
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(qtcommon::ToQString(name), ui->listHosts);
        // The box follows the selection: clicking a name, its box included,
        // selects it and so ticks it.
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_storePath = *path;
    try {
        m_plan = show::ReadHostPlanChecked(*path);
    } catch (const show::Failure& failure) { // names can still be set, unguarded
        ShowFailure(failure, messages::Doing::kPlanning);
    }
    if (StartSocketLayer(strings::kHostSettingsNetworkInitFailed))
        OfferFirstHostCode(*ui->editHostCode);
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
        // The host the plan gives the name to is the one to tell it.
        if (const show::HostPlanEntry* planned =
                item->isSelected() ? PlannedName(qtcommon::ToStdString(item->text())) : nullptr)
            ui->editHostCode->setText(QString::number(planned->HostCode));
    }
}

const show::HostPlanEntry* CHostSettingsDlg::PlannedName(const std::string& name) const
{
    const std::string trimmed = show::TrimHostName(name);
    for (const show::HostPlanEntry& entry : m_plan)
        if (show::TrimHostName(entry.HostName) == trimmed)
            return &entry;
    return nullptr;
}

bool CHostSettingsDlg::MaySendTo(int hostCode, const std::string& name)
{
    const show::HostPlanEntry* other = hostlink::OtherNamePlanned(m_plan, hostCode, name);
    return !other ||
           UserPrompt().AskYesNo(strings::FormatText(strings::kHostSettingsCodeTaken, hostCode,
                                                     other->HostName.c_str(), name.c_str()));
}

std::vector<hostlink::HostListItem> CHostSettingsDlg::HostListItems() const
{
    std::vector<hostlink::HostListItem> items;
    for (int row = 0; row < ui->listHosts->count(); ++row) {
        const QListWidgetItem* item = ui->listHosts->item(row);
        items.push_back({qtcommon::ToStdString(item->text()), item->checkState() == Qt::Checked});
    }
    return items;
}

void CHostSettingsDlg::OnSet()
{
    if (!IsWorking() && !StartSetting())
        Q_EMIT SettingFinished(false);
}

bool CHostSettingsDlg::StartSetting()
{
    // The name checks come before the host code's.
    hostlink::HostNameChoice name;
    try {
        name = hostlink::ChooseHostName(HostListItems());
    } catch (const show::Failure& failure) {
        ShowFailure(failure, messages::Doing::kSettingHost);
        return false;
    }
    const std::optional<int> hostCode = TypedHostCode(
        *ui->editHostCode, strings::kHostSettingsNoCode, strings::kHostSettingsBadCode);
    if (!hostCode)
        return false;
    if (!MaySendTo(*hostCode, name.name))
        return false;

    ui->buttonSet->setEnabled(false);
    Converse(
        [name, code = *hostCode, link = DialogOptions().LinkFor(*hostCode),
         makeLink = DialogOptions().makeLink, store = m_storePath](std::stop_token stop) {
            const hostlink::HostConversation host{code, link, std::move(stop), makeLink};
            hostlink::HostRecorder recorder(store);
            return hostlink::SendHostNameRecorded({host, name.frame}, name.name, &recorder);
        },
        [this](const hostlink::Recorded<hostlink::ConversationResult>& recorded) {
            OnSettingFinished(recorded.result, recorded.warning);
        });
    return true;
}

void CHostSettingsDlg::OnSettingFinished(const hostlink::ConversationResult& result,
                                         const std::optional<show::Warning>& recordWarning)
{
    if (result.Completed())
        UserPrompt().ShowMessage(strings::kHostSettingsDone, prompt::MessageIcon::Information);
    else if (result.failure)
        ShowFailure(*result.failure, messages::Doing::kSettingHost);
    if (recordWarning)
        ShowFailure(recordWarning->Facts(), messages::Doing::kSettingHost);
    ui->buttonSet->setEnabled(true);
    Q_EMIT SettingFinished(result.Completed());
}
