#include "hostlink/ui/LoadAllHostsDlg.h"

#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "hostlink/ui/HostRecordCells.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "qtcommon/ShowCheckDlg.h"
#include "qtcommon/StoreDialog.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostStates.h"
#include "show/ShowCheck.h"
#include "ui_LoadAllHostsDlg.h"

#include <QHeaderView>
#include <QProgressBar>
#include <memory>

namespace {

enum Column
{
    kHost,
    kCode,
    kAddress,
    kHostState, // what the host holds
    kState,     // what this load is doing with it
    kPercent,
    kMessage,
    kColumns
};

std::string JoinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// What a host's line says beside its state: why it failed, or that it was
// stopped.
QString HostMessage(const hostlink::FieldHostState& state)
{
    if (state.phase == hostlink::FieldHostState::kCancelled)
        return qtcommon::ToQString(strings::kCancelDownload);
    if (state.result.failure)
        return qtcommon::ToQString(
            messages::FailureText(*state.result.failure, messages::Doing::kDownloading));
    return {};
}

QString WarningText(const show::Failure& failure)
{
    return qtcommon::ToQString(messages::FailureText(failure, messages::Doing::kDownloading));
}

} // namespace

CLoadAllHostsDlg::CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                                   hostlink::HostDialogOptions options)
    : CHostDialog(prompt, parent, std::move(options),
                  {.stops = true, .question = strings::kLoadAllCloseQuestion}),
      ui_(std::make_unique<Ui::LoadAllHostsDlg>()), storePath_(std::move(storePath))
{
    ui_->setupUi(this);
    qtcommon::SetUpStoreDialog(*this, strings::kLoadAllTitle, *ui_->labelStore, storePath_);
    qtcommon::SetButtonTexts({{ui_->buttonStart, strings::kLoadAllStart},
                              {ui_->buttonStale, strings::kLoadAllStale},
                              {ui_->buttonCancel, strings::kLoadAllCancel},
                              {ui_->buttonClose, strings::kLoadAllClose}});
    ui_->buttonCancel->setEnabled(false);
    ShowRehearsalNote(nullptr);
    ui_->hosts->setColumnCount(kColumns);
    ui_->hosts->setHorizontalHeaderLabels(qtcommon::ToQStringList(
        {strings::kFieldColumnHost, strings::kFieldColumnCode, strings::kFieldColumnAddress,
         strings::kHostStateColumn, strings::kFieldColumnState, strings::kFieldColumnPercent,
         strings::kFieldColumnMessage}));
    // Every text in full: a column is as wide as its longest, the message
    // takes the rest (and its tip holds it whole).
    for (int column = 0; column < kMessage; ++column)
        if (column != kPercent)
            ui_->hosts->horizontalHeader()->setSectionResizeMode(column,
                                                                 QHeaderView::ResizeToContents);
    connect(ui_->buttonStart, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStart);
    connect(ui_->buttonStale, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStartStale);
    connect(ui_->buttonCancel, &QPushButton::clicked, this, &CHostDialog::OnCancel);
    connect(ui_->buttonClose, &QPushButton::clicked, this, &CHostDialog::CloseWithButton);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(480, 200)));

    // What each host holds, before anything is sent; Start says what is
    // wrong with a store that cannot be loaded.
    try {
        const std::vector<show::Cue> cues = hostlink::ReadDownloadCues(storePath_);
        const std::vector<show::HostPlanEntry> plan = show::ReadHostPlanChecked(storePath_);
        FillHosts(hostlink::PlanField(cues, plan, DialogOptions().links).hosts);
        hostlink::ShowHostStates(
            *ui_->hosts, kHost, kHostState,
            hostlink::HostStatesOf(cues, plan, show::ReadHostRecords(storePath_)));
    } catch (const show::Failure& failure) {
        ui_->labelSummary->setText(WarningText(failure));
    }
    // Shown, though nothing can be sent without it.
    EnableStart(StartSocketLayer(strings::kNetworkInitialFailure));
}

CLoadAllHostsDlg::~CLoadAllHostsDlg()
{
    // Every wait on a host ends within half a second; the conversations
    // stopped are recorded on their threads before this returns.
    EndWork();
}

void CLoadAllHostsDlg::EnableStart(bool enabled)
{
    ui_->buttonStart->setEnabled(enabled);
    ui_->buttonStale->setEnabled(enabled);
}

bool CLoadAllHostsDlg::ShowPassesCheck()
{
    std::optional<show::ShowCheckReport> report;
    try {
        report = show::CheckShowStore(storePath_);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(UserPrompt(), failure, messages::Doing::kChecking);
        return false;
    }
    if (report->Errors() == 0)
        return true;
    CShowCheckDlg check(storePath_, *report, this);
    check.OfferLoadAnyway();
    return check.exec() == QDialog::Accepted;
}

std::optional<CLoadAllHostsDlg::Field> CLoadAllHostsDlg::ReadField()
{
    Field field;
    try {
        field.cues = hostlink::ReadDownloadCues(storePath_);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(UserPrompt(), failure, messages::Doing::kDownloading);
        return std::nullopt;
    }
    try {
        field.plan = show::ReadHostPlanChecked(storePath_);
    } catch (const show::Failure& failure) {
        UserPrompt().ShowMessage(messages::FailureText(failure, messages::Doing::kOpening),
                                 prompt::MessageIcon::Stop);
        return std::nullopt;
    }
    hostlink::FieldPlanning planning =
        hostlink::PlanField(field.cues, field.plan, DialogOptions().links);
    if (!planning.unplanned.empty() || planning.hosts.empty()) {
        UserPrompt().ShowMessage(planning.hosts.empty() && planning.unplanned.empty()
                                     ? std::string(strings::kFieldNoHosts)
                                     : strings::FormatText(strings::kFieldUnplanned,
                                                           JoinedNames(planning.unplanned).c_str()),
                                 prompt::MessageIcon::Stop);
        return std::nullopt;
    }
    field.hosts = std::move(planning.hosts);
    return field;
}

bool CLoadAllHostsDlg::OnStart()
{
    return Start(false);
}

bool CLoadAllHostsDlg::OnStartStale()
{
    return Start(true);
}

bool CLoadAllHostsDlg::Start(bool staleOnly)
{
    // Loading stale hosts, the check waits until there is something to load.
    if (IsWorking() || !SocketLayerStarted() || (!staleOnly && !ShowPassesCheck()))
        return false;
    std::optional<Field> field = ReadField();
    if (!field)
        return false;
    FillHosts(field->hosts);
    ui_->labelSummary->clear();
    std::vector<hostlink::FieldHost> load = field->hosts;
    try {
        const std::vector<show::PlannedHostState> states =
            hostlink::HostStatesOf(field->cues, field->plan, show::ReadHostRecords(storePath_));
        hostlink::ShowHostStates(*ui_->hosts, kHost, kHostState, states);
        if (staleOnly)
            load = hostlink::StaleHosts(field->hosts, states);
    } catch (const show::Failure& failure) {
        if (staleOnly) { // without the records, every host might be stale
            messages::ShowFailure(UserPrompt(), failure, messages::Doing::kDownloading);
            return false;
        }
        ui_->labelSummary->setText(WarningText(failure));
    }
    if (load.empty()) {
        UserPrompt().ShowMessage(strings::kFieldNoneStale, prompt::MessageIcon::Information);
        return false;
    }
    if (staleOnly && !ShowPassesCheck())
        return false;

    loadRows_.clear();
    for (const hostlink::FieldHost& host : load)
        for (std::size_t row = 0; row < hosts_.size(); ++row)
            if (hosts_[row].hostName == host.hostName)
                loadRows_.push_back(static_cast<int>(row));
    for (const int row : loadRows_)
        ShowHost(static_cast<std::size_t>(row), {});
    EnableStart(false);
    ui_->buttonCancel->setEnabled(true);
    auto recorder = std::make_shared<hostlink::HostRecorder>(storePath_);
    Converse(
        [this, recorder, rows = loadRows_, makeLink = DialogOptions().makeLink,
         cues = std::move(field->cues), hosts = std::move(load)](std::stop_token stop) {
            return hostlink::LoadField(
                {.cues = cues,
                 .hosts = hosts,
                 .stop = std::move(stop),
                 .observer =
                     [this, rows](std::size_t host, const hostlink::FieldHostState& state) {
                         const auto row = static_cast<std::size_t>(rows[host]);
                         Worker().Post([this, row, state] { ShowHost(row, state); });
                     },
                 .makeLink = makeLink,
                 .recorder = recorder.get()});
        },
        [this, recorder](const std::vector<hostlink::FieldHostState>& states) {
            OnFinished(states, recorder->Warnings());
        });
    return true;
}

void CLoadAllHostsDlg::FillHosts(const std::vector<hostlink::FieldHost>& hosts)
{
    hosts_ = hosts;
    ui_->hosts->setRowCount(0);
    ui_->hosts->setRowCount(static_cast<int>(hosts_.size()));
    for (std::size_t i = 0; i < hosts_.size(); ++i) {
        const int row = static_cast<int>(i);
        const hostlink::FieldHost& host = hosts_[i];
        ui_->hosts->setItem(row, kHost, new QTableWidgetItem(qtcommon::ToQString(host.hostName)));
        ui_->hosts->setItem(row, kCode, new QTableWidgetItem(QString::number(host.hostCode)));
        ui_->hosts->setItem(row, kAddress,
                            new QTableWidgetItem(qtcommon::ToQString(
                                hostlink::DestinationText(host.link, host.hostCode))));
        ui_->hosts->setItem(row, kHostState, new QTableWidgetItem());
        ui_->hosts->setItem(row, kState, new QTableWidgetItem());
        ui_->hosts->setItem(row, kMessage, new QTableWidgetItem());
        auto* bar = new QProgressBar(ui_->hosts);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setAccessibleName(qtcommon::ToQString(host.hostName));
        ui_->hosts->setCellWidget(row, kPercent, bar);
    }
}

void CLoadAllHostsDlg::ShowHostStates()
{
    try {
        hostlink::ShowHostStates(*ui_->hosts, kHost, kHostState,
                                 hostlink::ReadHostStates(storePath_));
    } catch (const show::Failure& failure) {
        ui_->labelSummary->setText(ui_->labelSummary->text() + QStringLiteral("\n") +
                                   WarningText(failure));
    }
}

void CLoadAllHostsDlg::ShowHost(std::size_t host, const hostlink::FieldHostState& state)
{
    const int row = static_cast<int>(host);
    ui_->hosts->item(row, kState)->setText(qtcommon::ToQString(hostlink::PhaseText(state.phase)));
    const QString message = HostMessage(state);
    ui_->hosts->item(row, kMessage)->setText(message);
    ui_->hosts->item(row, kMessage)->setToolTip(message);
    if (auto* bar = qobject_cast<QProgressBar*>(ui_->hosts->cellWidget(row, kPercent)))
        bar->setValue(state.percent);
}

void CLoadAllHostsDlg::OnFinished(const std::vector<hostlink::FieldHostState>& states,
                                  const std::vector<show::Warning>& warnings)
{
    EnableStart(true);
    ui_->buttonCancel->setEnabled(false);
    int loaded = 0;
    for (std::size_t i = 0; i < states.size(); ++i) {
        ShowHost(static_cast<std::size_t>(loadRows_[i]), states[i]);
        loaded += states[i].phase == hostlink::FieldHostState::kDone ? 1 : 0;
    }
    QString summary = qtcommon::ToQString(
        strings::FormatText(strings::kFieldSummary, loaded, static_cast<int>(states.size())));
    for (const show::Warning& warning : warnings)
        summary += QStringLiteral("\n") + WarningText(warning.Facts());
    ui_->labelSummary->setText(summary);
    ShowHostStates();
    Q_EMIT LoadFinished(hostlink::FieldComplete(states));
}
