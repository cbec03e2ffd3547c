#include "hostlink/ui/DownloadDlg.h"

#include "hostlink/DownloadProcedure.h"
#include "hostlink/ui/DialogTemplate.h"
#include "hostlink/ui/DownloadDlgView.h"
#include "hostlink/ui/WorkerPrompt.h"
#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"
#include "ui_DownloadDlg.h"

#include <utility>

namespace {

constexpr QSize kTemplateSize(214, 133);
constexpr char kFirstHostCode[] = "1";

} // namespace

CDownloadDlg::CDownloadDlg(QWidget* parent)
    : CHostDialog(parent), ui(std::make_unique<Ui::DownloadDlg>())
{
    SetUpDialog();
}

CDownloadDlg::CDownloadDlg(prompt::Prompt& prompt, QWidget* parent,
                           hostlink::HostDialogOptions options)
    : CHostDialog(prompt, parent, std::move(options)), ui(std::make_unique<Ui::DownloadDlg>())
{
    SetUpDialog();
}

CDownloadDlg::~CDownloadDlg()
{
    // A dialog that goes while it downloads stops the download first.
    EndWork(); // asks the wait on the host to end at once
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

    if (!StartSocketLayer()) {
        UserPrompt().ShowMessage(strings::kNetworkInitialFailure, prompt::MessageIcon::Warning);
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
    StartWork(
        [this, widgets, cancel = m_cancel.get_token()] {
            hostlink::WorkerPrompt prompt(Worker(), UserPrompt());
            hostlink::DownloadDlgView view(Worker(), widgets, cancel);
            hostlink::DownloadProcedure download(prompt, view, Options().link);
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
    CloseWithButton();
}

void CDownloadDlg::SetStatusLine(const std::string& text)
{
    ui->labelStatusLine->setText(editor::ToQString(text));
    ui->labelStatusLine->setToolTip(ui->labelStatusLine->text());
}

void CDownloadDlg::OnDownloadFinished()
{
    SetDownloading(false);
    Q_EMIT DownloadFinished(m_lastResult);
}

void CDownloadDlg::SetDownloading(bool downloading)
{
    ui->buttonCancel->setVisible(downloading);
    ui->buttonDownload->setEnabled(!downloading);
    ui->editHostCode->setReadOnly(downloading);
}
