#include "DownloadDlg.h"

#include "DialogTemplate.h"
#include "DownloadDlgView.h"
#include "DownloadProcedure.h"
#include "QtPrompt.h"
#include "QtText.h"
#include "WorkerPrompt.h"
#include "strings/Strings.h"
#include "ui_DownloadDlg.h"

#include <utility>

namespace {

constexpr QSize kTemplateSize(214, 133);
constexpr char kFirstHostCode[] = "1";

} // namespace

CDownloadDlg::CDownloadDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::DownloadDlg>())
{
    m_ownPrompt = std::make_unique<editor::QtPrompt>(this);
    m_prompt = m_ownPrompt.get();
    SetUpDialog();
}

CDownloadDlg::CDownloadDlg(prompt::Prompt& prompt, QWidget* parent,
                           hostlink::HostDialogOptions options)
    : QDialog(parent), ui(std::make_unique<Ui::DownloadDlg>()), m_prompt(&prompt),
      m_options(std::move(options))
{
    SetUpDialog();
}

CDownloadDlg::~CDownloadDlg()
{
    // A dialog that goes while it downloads stops the download first; the
    // worker must not outlive the widgets it writes to.
    m_cancel.request_stop(); // the wait on the host ends at once
    m_worker.AbandonAndJoin();
    if (m_socketLayerStarted)
        hostlink::ReleaseSocketLayer();
}

void CDownloadDlg::SetUpDialog()
{
    ui->setupUi(this);
    hostlink::PlaceInDialogUnits(*this, kTemplateSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->buttonCancel->hide();

    connect(ui->buttonDownload, &QPushButton::clicked, this, &CDownloadDlg::OnDownload);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &CDownloadDlg::OnCancel);
    connect(ui->buttonClose, &QPushButton::clicked, this, &CDownloadDlg::OnClose);

    m_socketLayerStarted = m_options.startSocketLayer && m_options.startSocketLayer();
    if (!m_socketLayerStarted) {
        m_prompt->ShowMessage(strings::kNetworkInitialFailure, prompt::MessageIcon::Warning);
        return;
    }
    ui->editHostCode->setText(editor::ToQString(kFirstHostCode));
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(0);
}

void CDownloadDlg::OnDownload()
{
    if (IsDownloading())
        return;
    m_cancel = std::stop_source();
    SetDownloading(true);
    const hostlink::DownloadDlgView::Widgets widgets{ui->editHostCode, ui->progressBar,
                                                     ui->labelProgressText, ui->labelEndText,
                                                     ui->labelStatusLine};
    m_worker.Start(
        [this, widgets, cancel = m_cancel.get_token()] {
            hostlink::WorkerPrompt prompt(m_worker, *m_prompt);
            hostlink::DownloadDlgView view(m_worker, widgets, cancel);
            hostlink::DownloadProcedure download(prompt, view, m_options.link);
            m_lastResult = download.RunDownload();
        },
        [this] { OnDownloadFinished(); });
}

void CDownloadDlg::OnCancel()
{
    m_cancel.request_stop();
}

void CDownloadDlg::OnClose()
{
    if (IsDownloading()) {
        m_cancel.request_stop();
        m_pendingClose = PendingClose::kClose;
        return;
    }
    if (m_socketLayerStarted) {
        hostlink::ReleaseSocketLayer();
        m_socketLayerStarted = false;
    }
    accept();
}

void CDownloadDlg::reject()
{
    if (IsDownloading()) {
        m_cancel.request_stop();
        if (m_pendingClose == PendingClose::kNone)
            m_pendingClose = PendingClose::kReject;
        return;
    }
    QDialog::reject();
}

void CDownloadDlg::OnDownloadFinished()
{
    SetDownloading(false);
    const PendingClose pending = std::exchange(m_pendingClose, PendingClose::kNone);
    Q_EMIT DownloadFinished(m_lastResult);
    if (pending == PendingClose::kClose)
        OnClose();
    else if (pending == PendingClose::kReject)
        reject();
}

void CDownloadDlg::SetDownloading(bool downloading)
{
    ui->buttonCancel->setVisible(downloading);
    ui->buttonDownload->setEnabled(!downloading);
    ui->editHostCode->setReadOnly(downloading);
}
