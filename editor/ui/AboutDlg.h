#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDlg;
}

// The About box: the icon, the version line, the rights notice and OK.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::AboutDlg> ui;
};
