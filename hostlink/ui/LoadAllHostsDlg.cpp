#include "hostlink/ui/LoadAllHostsDlg.h"

#include "hostlink/HostLoadRecorder.h"
#include "hostlink/HostStates.h"
#include "hostlink/LoadDownloadCues.h"
#include "hostlink/ui/HostStateCells.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "qtcommon/ShowCheckDlg.h"
#include "qtcommon/StoreDialog.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostLoadLog.h"
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
    if (state.failure)
        return qtcommon::ToQString(
            messages::FailureText(*state.failure, messages::Doing::kDownloading));
    return {};
}

QString WarningText(const show::Failure& failure)
{
    return qtcommon::ToQString(messages::FailureText(failure, messages::Doing::kDownloading));
}

} // namespace

CLoadAllHostsDlg::CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                                   hostlink::FieldLinks links)
    : QDialog(parent), ui(std::make_unique<Ui::LoadAllHostsDlg>()),
      m_storePath(std::move(storePath)), m_prompt(prompt), m_links(std::move(links))
{
    ui->setupUi(this);
    qtcommon::SetUpStoreDialog(*this, strings::kLoadAllTitle, *ui->labelStore, m_storePath);
    qtcommon::SetButtonTexts({{ui->buttonStart, strings::kLoadAllStart},
                              {ui->buttonStale, strings::kLoadAllStale},
                              {ui->buttonCancel, strings::kLoadAllCancel},
                              {ui->buttonClose, strings::kLoadAllClose}});
    ui->buttonCancel->setEnabled(false);
    ui->hosts->setColumnCount(kColumns);
    ui->hosts->setHorizontalHeaderLabels(qtcommon::ToQStringList(
        {strings::kFieldColumnHost, strings::kFieldColumnCode, strings::kFieldColumnAddress,
         strings::kHostStateColumn, strings::kFieldColumnState, strings::kFieldColumnPercent,
         strings::kFieldColumnMessage}));
    // Every text in full: a column is as wide as its longest, the message
    // takes the rest (and its tip holds it whole).
    for (int column = 0; column < kMessage; ++column)
        if (column != kPercent)
            ui->hosts->horizontalHeader()->setSectionResizeMode(column,
                                                                QHeaderView::ResizeToContents);
    connect(ui->buttonStart, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStart);
    connect(ui->buttonStale, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStartStale);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnCancel);
    connect(ui->buttonClose, &QPushButton::clicked, this, &CLoadAllHostsDlg::reject);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(480, 200)));

    // What each host holds, before anything is sent; Start says what is
    // wrong with a store that cannot be loaded.
    try {
        const std::vector<show::Cue> cues = hostlink::LoadDownloadCues(m_storePath);
        const std::vector<show::HostPlanEntry> plan = show::ReadHostPlanChecked(m_storePath);
        FillHosts(hostlink::PlanField(cues, plan, [this](int code) {
                      return hostlink::LinkFor(m_links, code);
                  }).hosts);
        hostlink::ShowHostStates(
            *ui->hosts, kHost, kHostState,
            hostlink::HostStatesOf(cues, plan, show::LoadHostLoads(m_storePath)));
    } catch (const show::Failure& failure) {
        ui->labelSummary->setText(WarningText(failure));
    }
}

CLoadAllHostsDlg::~CLoadAllHostsDlg()
{
    // Every wait on a host ends within half a second; the conversations
    // stopped are recorded on their threads before this returns.
    m_worker.StopAndJoin();
}

bool CLoadAllHostsDlg::ShowPassesCheck()
{
    const std::optional<show::ShowCheckReport> report =
        show::CheckShowStore(m_storePath, [this](const show::Failure& failure) {
            messages::ShowFailure(m_prompt, failure, messages::Doing::kChecking);
        });
    if (!report)
        return false;
    if (report->Errors() == 0)
        return true;
    CShowCheckDlg check(m_storePath, *report, this);
    check.OfferLoadAnyway();
    return check.exec() == QDialog::Accepted;
}

std::optional<CLoadAllHostsDlg::Field> CLoadAllHostsDlg::ReadField()
{
    Field field;
    try {
        field.cues = hostlink::LoadDownloadCues(m_storePath);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(m_prompt, failure, messages::Doing::kDownloading);
        return std::nullopt;
    }
    try {
        field.plan = show::ReadHostPlanChecked(m_storePath);
    } catch (const show::Failure& failure) {
        m_prompt.ShowMessage(messages::FailureText(failure, messages::Doing::kLoading),
                             prompt::MessageIcon::Stop);
        return std::nullopt;
    }
    hostlink::FieldPlanning planning = hostlink::PlanField(
        field.cues, field.plan, [this](int code) { return hostlink::LinkFor(m_links, code); });
    if (!planning.unplanned.empty() || planning.hosts.empty()) {
        m_prompt.ShowMessage(planning.hosts.empty() && planning.unplanned.empty()
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
    if (IsLoading() || (!staleOnly && !ShowPassesCheck()))
        return false;
    std::optional<Field> field = ReadField();
    if (!field)
        return false;
    FillHosts(field->hosts);
    ui->labelSummary->clear();
    std::vector<hostlink::FieldHost> load = field->hosts;
    try {
        const std::vector<show::HostStatus> states =
            hostlink::HostStatesOf(field->cues, field->plan, show::LoadHostLoads(m_storePath));
        hostlink::ShowHostStates(*ui->hosts, kHost, kHostState, states);
        if (staleOnly)
            load = hostlink::StaleHosts(field->hosts, states);
    } catch (const show::Failure& failure) {
        if (staleOnly) { // without the records, every host might be stale
            messages::ShowFailure(m_prompt, failure, messages::Doing::kDownloading);
            return false;
        }
        ui->labelSummary->setText(WarningText(failure));
    }
    if (load.empty()) {
        m_prompt.ShowMessage(strings::kFieldNoneStale, prompt::MessageIcon::Information);
        return false;
    }
    if (staleOnly && !ShowPassesCheck())
        return false;

    m_loadRows.clear();
    for (const hostlink::FieldHost& host : load)
        for (std::size_t row = 0; row < m_hosts.size(); ++row)
            if (m_hosts[row].hostName == host.hostName)
                m_loadRows.push_back(static_cast<int>(row));
    for (const int row : m_loadRows)
        ShowHost(static_cast<std::size_t>(row), {});
    ui->buttonStart->setEnabled(false);
    ui->buttonStale->setEnabled(false);
    ui->buttonCancel->setEnabled(true);
    auto recorder = std::make_shared<hostlink::HostLoadRecorder>(m_storePath);
    m_worker.Run(
        [this, recorder, rows = m_loadRows, cues = std::move(field->cues),
         hosts = std::move(load)](std::stop_token stop) {
            return hostlink::LoadField(
                {.cues = cues,
                 .hosts = hosts,
                 .stop = std::move(stop),
                 .observer =
                     [this, rows](std::size_t host, const hostlink::FieldHostState& state) {
                         const auto row = static_cast<std::size_t>(rows[host]);
                         m_worker.Post([this, row, state] { ShowHost(row, state); });
                     },
                 .recorder = recorder.get()});
        },
        [this, recorder](const std::vector<hostlink::FieldHostState>& states) {
            OnFinished(states, recorder->Warnings());
        });
    return true;
}

void CLoadAllHostsDlg::FillHosts(const std::vector<hostlink::FieldHost>& hosts)
{
    m_hosts = hosts;
    ui->hosts->setRowCount(0);
    ui->hosts->setRowCount(static_cast<int>(m_hosts.size()));
    for (std::size_t i = 0; i < m_hosts.size(); ++i) {
        const int row = static_cast<int>(i);
        const hostlink::FieldHost& host = m_hosts[i];
        ui->hosts->setItem(row, kHost, new QTableWidgetItem(qtcommon::ToQString(host.hostName)));
        ui->hosts->setItem(row, kCode, new QTableWidgetItem(QString::number(host.hostCode)));
        ui->hosts->setItem(row, kAddress,
                           new QTableWidgetItem(qtcommon::ToQString(
                               hostlink::HostAddressText(host.link, host.hostCode))));
        ui->hosts->setItem(row, kHostState, new QTableWidgetItem());
        ui->hosts->setItem(row, kState, new QTableWidgetItem());
        ui->hosts->setItem(row, kMessage, new QTableWidgetItem());
        auto* bar = new QProgressBar(ui->hosts);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setAccessibleName(qtcommon::ToQString(host.hostName));
        ui->hosts->setCellWidget(row, kPercent, bar);
    }
}

void CLoadAllHostsDlg::ShowHostStates()
{
    try {
        hostlink::ShowHostStates(*ui->hosts, kHost, kHostState,
                                 hostlink::ReadHostStates(m_storePath));
    } catch (const show::Failure& failure) {
        ui->labelSummary->setText(ui->labelSummary->text() + QStringLiteral("\n") +
                                  WarningText(failure));
    }
}

void CLoadAllHostsDlg::ShowHost(std::size_t host, const hostlink::FieldHostState& state)
{
    const int row = static_cast<int>(host);
    ui->hosts->item(row, kState)->setText(qtcommon::ToQString(hostlink::PhaseText(state.phase)));
    const QString message = HostMessage(state);
    ui->hosts->item(row, kMessage)->setText(message);
    ui->hosts->item(row, kMessage)->setToolTip(message);
    if (auto* bar = qobject_cast<QProgressBar*>(ui->hosts->cellWidget(row, kPercent)))
        bar->setValue(state.percent);
}

void CLoadAllHostsDlg::OnFinished(const std::vector<hostlink::FieldHostState>& states,
                                  const std::vector<show::Failure>& warnings)
{
    ui->buttonStart->setEnabled(true);
    ui->buttonStale->setEnabled(true);
    ui->buttonCancel->setEnabled(false);
    int loaded = 0;
    for (std::size_t i = 0; i < states.size(); ++i) {
        ShowHost(static_cast<std::size_t>(m_loadRows[i]), states[i]);
        loaded += states[i].phase == hostlink::FieldHostState::kDone ? 1 : 0;
    }
    QString summary = qtcommon::ToQString(
        strings::FormatText(strings::kFieldSummary, loaded, static_cast<int>(states.size())));
    for (const show::Failure& warning : warnings)
        summary += QStringLiteral("\n") + WarningText(warning);
    ui->labelSummary->setText(summary);
    ShowHostStates();
    Q_EMIT LoadFinished(hostlink::FieldComplete(states));
    if (m_closeWhenStopped)
        QDialog::reject();
}

void CLoadAllHostsDlg::OnCancel()
{
    m_worker.RequestStop();
}

void CLoadAllHostsDlg::reject()
{
    if (!IsLoading()) {
        QDialog::reject();
        return;
    }
    if (m_closeWhenStopped || !m_prompt.AskYesNo(strings::kLoadAllCloseQuestion))
        return;         // stopping already, or the load goes on
    if (!IsLoading()) { // it ended while the question was up
        QDialog::reject();
        return;
    }
    m_closeWhenStopped = true;
    m_worker.RequestStop();
}
