#include "hostlink/ui/DownloadDlgView.h"

#include "hostlink/ui/WindowWorker.h"
#include "qtcommon/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <memory>

namespace hostlink {

std::string DownloadDlgView::HostCodeText()
{
    auto text = std::make_shared<std::string>();
    QLineEdit* edit = widgets_.hostCode;
    if (!worker_.Call([edit, text] { *text = editor::ToStdString(edit->text()); }))
        return {};
    return *text;
}

void DownloadDlgView::SetProgressPercent(int percent)
{
    QProgressBar* bar = widgets_.progress;
    worker_.Post([bar, percent] { bar->setValue(percent); });
}

void DownloadDlgView::SetProgressText(const std::string& text)
{
    SetText(widgets_.progressText, text);
}

void DownloadDlgView::SetEndText(const std::string& text)
{
    SetText(widgets_.endText, text);
}

void DownloadDlgView::SetStatusLine(const std::string& text)
{
    SetText(widgets_.statusLine, text);
}

void DownloadDlgView::SetText(QLabel* label, const std::string& text)
{
    worker_.Post([label, text] { label->setText(editor::ToQString(text)); });
}

} // namespace hostlink
