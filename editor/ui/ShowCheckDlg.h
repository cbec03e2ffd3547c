#pragma once

#include "show/ShowCheck.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ShowCheckDlg;
}

// "Tools" > "Check Show...": the findings of the show check on one show
// store, one row each (severity, text, the rows' "Sequence" values), errors
// first, and a summary line.
class CShowCheckDlg : public QDialog
{
    Q_OBJECT

public:
    CShowCheckDlg(const std::string& storePath, const show::ShowCheckReport& report,
                  QWidget* parent = nullptr);
    ~CShowCheckDlg() override;

    // Makes the dialog the question before a download: "Download anyway"
    // accepts; "Cancel", the default button, Escape and the close box reject.
    void OfferDownloadAnyway();

private:
    void Fill(const show::ShowCheckReport& report);

    std::unique_ptr<Ui::ShowCheckDlg> ui;
};
