#include "hostlink/ui/LoadAllHostsDlg.h"

#include "hostlink/LoadDownloadCues.h"
#include "messages/FailureMessage.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "qtcommon/ShowCheckDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ShowCheck.h"
#include "ui_LoadAllHostsDlg.h"

#include <QProgressBar>

namespace {

enum Column
{
    kHost,
    kCode,
    kAddress,
    kState,
    kPercent,
    kMessage
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

} // namespace

CLoadAllHostsDlg::CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                                   hostlink::FieldLinks links)
    : QDialog(parent), ui(std::make_unique<Ui::LoadAllHostsDlg>()),
      m_storePath(std::move(storePath)), m_prompt(prompt), m_links(std::move(links))
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(qtcommon::ToQString(strings::kLoadAllTitle));
    ui->labelStore->setText(qtcommon::ToQString(m_storePath));
    ui->buttonStart->setText(qtcommon::ToQString(strings::kLoadAllStart));
    ui->buttonCancel->setText(qtcommon::ToQString(strings::kLoadAllCancel));
    ui->buttonClose->setText(qtcommon::ToQString(strings::kLoadAllClose));
    ui->buttonCancel->setEnabled(false);
    ui->hosts->setHorizontalHeaderLabels({qtcommon::ToQString(strings::kFieldColumnHost),
                                          qtcommon::ToQString(strings::kFieldColumnCode),
                                          qtcommon::ToQString(strings::kFieldColumnAddress),
                                          qtcommon::ToQString(strings::kFieldColumnState),
                                          qtcommon::ToQString(strings::kFieldColumnPercent),
                                          qtcommon::ToQString(strings::kFieldColumnMessage)});
    connect(ui->buttonStart, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStart);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnCancel);
    connect(ui->buttonClose, &QPushButton::clicked, this, &CLoadAllHostsDlg::reject);
    resize(qtcommon::DialogUnitsToPixels(font(), QSize(420, 200)));
}

CLoadAllHostsDlg::~CLoadAllHostsDlg()
{
    m_worker.StopAndJoin(); // every wait on a host ends within half a second
}

bool CLoadAllHostsDlg::ShowPassesCheck()
{
    show::ShowCheckReport report;
    try {
        report = show::CheckShowStore(m_storePath);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(m_prompt, failure, messages::Doing::kChecking);
        return false;
    }
    if (report.Errors() == 0)
        return true;
    CShowCheckDlg check(m_storePath, report, this);
    check.OfferLoadAnyway();
    return check.exec() == QDialog::Accepted;
}

bool CLoadAllHostsDlg::OnStart()
{
    if (IsLoading() || !ShowPassesCheck())
        return false;
    std::vector<show::Cue> cues;
    try {
        cues = hostlink::LoadDownloadCues(m_storePath);
    } catch (const show::Failure& failure) {
        messages::ShowFailure(m_prompt, failure, messages::Doing::kDownloading);
        return false;
    }
    std::vector<show::HostPlanEntry> plan;
    try {
        plan = show::ReadHostPlanChecked(m_storePath);
    } catch (const show::Failure& failure) {
        m_prompt.ShowMessage(messages::FailureText(failure, messages::Doing::kLoading),
                             prompt::MessageIcon::Stop);
        return false;
    }
    hostlink::FieldPlanning field = hostlink::PlanField(
        cues, plan, [this](int code) { return hostlink::LinkFor(m_links, code); });
    if (!field.unplanned.empty() || field.hosts.empty()) {
        m_prompt.ShowMessage(field.hosts.empty() && field.unplanned.empty()
                                 ? std::string(strings::kFieldNoHosts)
                                 : strings::FormatText(strings::kFieldUnplanned,
                                                       JoinedNames(field.unplanned).c_str()),
                             prompt::MessageIcon::Stop);
        return false;
    }
    m_hosts = field.hosts;
    ui->hosts->setRowCount(static_cast<int>(m_hosts.size()));
    for (std::size_t i = 0; i < m_hosts.size(); ++i) {
        const int row = static_cast<int>(i);
        const hostlink::FieldHost& host = m_hosts[i];
        ui->hosts->setItem(row, kHost, new QTableWidgetItem(qtcommon::ToQString(host.hostName)));
        ui->hosts->setItem(row, kCode, new QTableWidgetItem(QString::number(host.hostCode)));
        ui->hosts->setItem(row, kAddress,
                           new QTableWidgetItem(qtcommon::ToQString(
                               hostlink::HostAddressText(host.link, host.hostCode))));
        ui->hosts->setItem(row, kState, new QTableWidgetItem());
        ui->hosts->setItem(row, kMessage, new QTableWidgetItem());
        auto* bar = new QProgressBar(ui->hosts);
        bar->setRange(0, 100);
        bar->setAccessibleName(qtcommon::ToQString(host.hostName));
        ui->hosts->setCellWidget(row, kPercent, bar);
        ShowHost(i, {});
    }
    ui->hosts->resizeColumnsToContents();
    ui->labelSummary->clear();

    ui->buttonStart->setEnabled(false);
    ui->buttonCancel->setEnabled(true);
    m_worker.Run(
        [this, cues = std::move(cues), hosts = std::move(field.hosts)](std::stop_token stop) {
            return hostlink::LoadField(
                {cues, hosts, std::move(stop),
                 [this](std::size_t host, const hostlink::FieldHostState& state) {
                     m_worker.Post([this, host, state] { ShowHost(host, state); });
                 }});
        },
        [this](const std::vector<hostlink::FieldHostState>& states) { OnFinished(states); });
    return true;
}

void CLoadAllHostsDlg::ShowHost(std::size_t host, const hostlink::FieldHostState& state)
{
    const int row = static_cast<int>(host);
    ui->hosts->item(row, kState)->setText(qtcommon::ToQString(hostlink::PhaseText(state.phase)));
    ui->hosts->item(row, kMessage)->setText(HostMessage(state));
    if (auto* bar = qobject_cast<QProgressBar*>(ui->hosts->cellWidget(row, kPercent)))
        bar->setValue(state.percent);
}

void CLoadAllHostsDlg::OnFinished(const std::vector<hostlink::FieldHostState>& states)
{
    ui->buttonStart->setEnabled(true);
    ui->buttonCancel->setEnabled(false);
    int loaded = 0;
    for (std::size_t i = 0; i < states.size(); ++i) {
        ShowHost(i, states[i]);
        loaded += states[i].phase == hostlink::FieldHostState::kDone ? 1 : 0;
    }
    ui->labelSummary->setText(qtcommon::ToQString(
        strings::FormatText(strings::kFieldSummary, loaded, static_cast<int>(states.size()))));
    Q_EMIT LoadFinished(hostlink::FieldComplete(states));
}

void CLoadAllHostsDlg::OnCancel()
{
    m_worker.RequestStop();
}

void CLoadAllHostsDlg::reject()
{
    m_worker.StopAndJoin();
    QDialog::reject();
}
