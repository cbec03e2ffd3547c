#include "hostlink/ui/DownloadDlg.h"

#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "show/HostCode.h"
#include "ui_DownloadDlg.h"

#include <utility>
#include <vector>

CDownloadDlg::CDownloadDlg(prompt::Prompt& prompt, QWidget* parent,
                           hostlink::HostDialogOptions options)
    : CHostDialog(prompt, parent, std::move(options), {.stops = true}),
      ui(std::make_unique<Ui::DownloadDlg>())
{
    SetUpDialog();
}

CDownloadDlg::~CDownloadDlg()
{
    // A dialog that goes while it downloads stops the download first.
    EndWork(); // the wait on the host ends at once
}

void CDownloadDlg::SetUpDialog()
{
    ui->setupUi(this);
    ui->buttonCancel->hide();
    ShowRehearsalNote(ui->editHostCode);
    FitDrawnSize(QSize(214, 133));

    connect(ui->buttonDownload, &QPushButton::clicked, this, &CDownloadDlg::OnDownload);
    connect(ui->buttonCancel, &QPushButton::clicked, this, &CHostDialog::OnCancel);
    connect(ui->buttonClose, &QPushButton::clicked, this, &CHostDialog::CloseWithButton);

    if (!StartSocketLayer(strings::kNetworkInitialFailure))
        return;
    OfferFirstHostCode(*ui->editHostCode);
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(0);
}

void CDownloadDlg::OnDownload()
{
    if (!IsWorking() && !StartDownload())
        Q_EMIT DownloadFinished(false);
}

bool CDownloadDlg::StartDownload()
{
    // The questions first, in this order: the store, the host code, the gate.
    const std::optional<std::string> path = ChooseStore();
    if (!path)
        return false;
    const std::optional<int> hostCode = TypedHostCode(
        *ui->editHostCode, strings::kPleaseInputHostCode, strings::kHostCodeOutOfRange);
    if (!hostCode)
        return false;
    if (!StoreMayBeRead(*path))
        return false;
    std::vector<show::Cue> cues;
    try {
        cues = hostlink::ReadDownloadCues(*path);
    } catch (const show::Failure& failure) {
        ShowFailure(failure, messages::Doing::kDownloading);
        return false;
    }

    SetDownloading(true);
    // Recorded on the worker, begun before the first frame and completed at
    // the end: a dialog that goes mid-download still leaves the record of
    // what the host got, and a window killed mid-download leaves it begun.
    Converse(
        [this, cues = std::move(cues), code = *hostCode, link = DialogOptions().LinkFor(*hostCode),
         makeLink = DialogOptions().makeLink, store = *path](std::stop_token stop) {
            const auto progress = [this](int percent) {
                Worker().Post([this, percent] { ShowProgress(percent); });
            };
            const hostlink::HostConversation host{code, link, std::move(stop), makeLink};
            hostlink::HostRecorder recorder(store);
            return hostlink::SendShowRecorded({host, cues, progress}, &recorder);
        },
        [this](const hostlink::Recorded<hostlink::DownloadResult>& recorded) {
            OnDownloadFinished(recorded.result, recorded.warning);
        });
    return true;
}

void CDownloadDlg::SetStatusLine(const std::string& text)
{
    ui->labelStatusLine->setText(qtcommon::ToQString(text));
    ui->labelStatusLine->setToolTip(ui->labelStatusLine->text());
}

void CDownloadDlg::ShowProgress(int percent)
{
    ui->progressBar->setValue(percent);
    ui->labelProgressText->setText(
        qtcommon::ToQString(strings::FormatText(strings::kDownloadedPercent, percent)));
}

void CDownloadDlg::SetEndText(const std::string& text)
{
    ui->labelEndText->setText(qtcommon::ToQString(text));
}

void CDownloadDlg::ShowDownloadFailure(const show::Failure& failure)
{
    ShowFailure(failure, messages::Doing::kDownloading);
}

void CDownloadDlg::OnDownloadFinished(const hostlink::DownloadResult& result,
                                      const std::optional<show::Warning>& recordWarning)
{
    hostlink::ShowDownloadEnd(*this, result);
    if (recordWarning)
        ShowRecordWarning(recordWarning->Facts());
    SetDownloading(false);
    Q_EMIT DownloadFinished(result.Completed());
}

void CDownloadDlg::ShowRecordWarning(const show::Failure& warning)
{
    // After what the download itself said, which stays.
    const std::string said = qtcommon::ToStdString(ui->labelStatusLine->text());
    const std::string text = messages::FailureText(warning, messages::Doing::kDownloading);
    SetStatusLine(said.empty() ? text : said + "  " + text);
}

void CDownloadDlg::SetDownloading(bool downloading)
{
    ui->buttonCancel->setVisible(downloading);
    ui->buttonDownload->setEnabled(!downloading);
    ui->editHostCode->setReadOnly(downloading);
}
