#pragma once

#include "ShowCheck.h"

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
    CShowCheckDlg(const std::string& storePath, const editor::ShowCheckReport& report,
                  QWidget* parent = nullptr);
    ~CShowCheckDlg() override;

private:
    void Fill(const editor::ShowCheckReport& report);

    std::unique_ptr<Ui::ShowCheckDlg> ui;
};
