#include "hostlink/ui/LoadAllHostsDlg.h"

#include "hostlink/LoadDownloadCues.h"
#include "messages/FailureMessage.h"
#include "prompt/FixedFilePrompt.h"
#include "prompt/Prompt.h"
#include "qtcommon/DialogUnits.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ShowCheck.h"
#include "ui_LoadAllHostsDlg.h"

#include <QMetaObject>
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

} // namespace

CLoadAllHostsDlg::CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent,
                                   hostlink::FieldLinks links)
    : QDialog(parent), ui(std::make_unique<Ui::LoadAllHostsDlg>()),
      m_storePath(std::move(storePath)), m_prompt(prompt), m_links(std::move(links))
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(editor::ToQString(strings::kLoadAllTitle));
    ui->labelStore->setText(editor::ToQString(m_storePath));
    ui->buttonStart->setText(editor::ToQString(strings::kLoadAllStart));
    ui->buttonCancel->setText(editor::ToQString(strings::kLoadAllCancel));
    ui->buttonClose->setText(editor::ToQString(strings::kLoadAllClose));
    ui->buttonCancel->setEnabled(false);
    ui->hosts->setHorizontalHeaderLabels({editor::ToQString(strings::kFieldColumnHost),
                                          editor::ToQString(strings::kFieldColumnCode),
                                          editor::ToQString(strings::kFieldColumnAddress),
                                          editor::ToQString(strings::kFieldColumnState),
                                          editor::ToQString(strings::kFieldColumnPercent),
                                          editor::ToQString(strings::kFieldColumnMessage)});
    connect(ui->buttonStart, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnStart);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &CLoadAllHostsDlg::OnCancel);
    connect(ui->buttonClose, &QPushButton::clicked, this, &CLoadAllHostsDlg::reject);
    resize(editor::DialogUnitsToPixels(font(), QSize(420, 200)));
}

CLoadAllHostsDlg::~CLoadAllHostsDlg()
{
    StopLoad();
}

bool CLoadAllHostsDlg::OnStart()
{
    if (m_loading)
        return false;
    show::ShowCheckReport report;
    try {
        report = show::CheckShowStore(m_storePath);
    } catch (const show::Failure& failure) {
        const messages::Message message =
            messages::FailureMessage(failure, messages::Doing::kChecking);
        m_prompt.ShowMessage(message.text, message.icon);
        return false;
    }
    if (report.Errors() > 0 &&
        !m_prompt.AskYesNo(strings::FormatText(strings::kFieldCheckQuestion, report.Errors())))
        return false;
    prompt::FixedFilePrompt reader(m_storePath);
    if (!hostlink::LoadDownloadCues(reader, m_cues)) {
        m_prompt.ShowMessage(reader.messages.substr(0, reader.messages.find('\n')),
                             prompt::MessageIcon::Stop);
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
        m_cues, plan, [this](int code) { return hostlink::LinkFor(m_links, code); });
    if (!field.unplanned.empty() || field.hosts.empty()) {
        m_prompt.ShowMessage(field.hosts.empty() && field.unplanned.empty()
                                 ? std::string(strings::kFieldNoHosts)
                                 : strings::FormatText(strings::kFieldUnplanned,
                                                       JoinedNames(field.unplanned).c_str()),
                             prompt::MessageIcon::Stop);
        return false;
    }
    m_hosts = std::move(field.hosts);
    ui->hosts->setRowCount(static_cast<int>(m_hosts.size()));
    for (std::size_t i = 0; i < m_hosts.size(); ++i) {
        const int row = static_cast<int>(i);
        const hostlink::FieldHost& host = m_hosts[i];
        ui->hosts->setItem(row, kHost, new QTableWidgetItem(editor::ToQString(host.hostName)));
        ui->hosts->setItem(row, kCode, new QTableWidgetItem(QString::number(host.hostCode)));
        ui->hosts->setItem(row, kAddress,
                           new QTableWidgetItem(editor::ToQString(
                               hostlink::HostAddressText(host.link, host.hostCode))));
        ui->hosts->setItem(row, kState, new QTableWidgetItem());
        ui->hosts->setItem(row, kMessage, new QTableWidgetItem());
        auto* bar = new QProgressBar(ui->hosts);
        bar->setRange(0, 100);
        bar->setAccessibleName(editor::ToQString(host.hostName));
        ui->hosts->setCellWidget(row, kPercent, bar);
        ShowHost(i, {});
    }
    ui->hosts->resizeColumnsToContents();
    ui->labelSummary->clear();

    m_loading = true;
    ui->buttonStart->setEnabled(false);
    ui->buttonCancel->setEnabled(true);
    m_cancel = std::stop_source();
    // The load only ever posts to the window, so waiting for it never waits
    // for the window.
    m_load = std::thread([this, cancel = m_cancel.get_token()] {
        const std::vector<hostlink::FieldHostState> states = hostlink::LoadField(
            m_cues, m_hosts,
            [this](std::size_t host, const hostlink::FieldHostState& state) {
                QMetaObject::invokeMethod(
                    this, [this, host, state] { ShowHost(host, state); }, Qt::QueuedConnection);
            },
            cancel);
        QMetaObject::invokeMethod(
            this, [this, states] { OnFinished(states); }, Qt::QueuedConnection);
    });
    return true;
}

void CLoadAllHostsDlg::ShowHost(std::size_t host, const hostlink::FieldHostState& state)
{
    const int row = static_cast<int>(host);
    ui->hosts->item(row, kState)->setText(editor::ToQString(hostlink::PhaseText(state.phase)));
    ui->hosts->item(row, kMessage)->setText(editor::ToQString(state.message));
    if (auto* bar = qobject_cast<QProgressBar*>(ui->hosts->cellWidget(row, kPercent)))
        bar->setValue(state.percent);
}

void CLoadAllHostsDlg::OnFinished(const std::vector<hostlink::FieldHostState>& states)
{
    if (m_load.joinable())
        m_load.join();
    m_loading = false;
    ui->buttonStart->setEnabled(true);
    ui->buttonCancel->setEnabled(false);
    int loaded = 0;
    for (std::size_t i = 0; i < states.size(); ++i) {
        ShowHost(i, states[i]);
        loaded += states[i].phase == hostlink::FieldHostState::kDone ? 1 : 0;
    }
    ui->labelSummary->setText(editor::ToQString(
        strings::FormatText(strings::kFieldSummary, loaded, static_cast<int>(states.size()))));
    Q_EMIT LoadFinished(hostlink::FieldComplete(states));
}

void CLoadAllHostsDlg::OnCancel()
{
    m_cancel.request_stop();
}

void CLoadAllHostsDlg::StopLoad()
{
    m_cancel.request_stop(); // every wait on a host ends within half a second
    if (m_load.joinable())
        m_load.join();
    m_loading = false;
}

void CLoadAllHostsDlg::reject()
{
    StopLoad();
    QDialog::reject();
}
