#include "editor/ui/AboutDlg.h"

#include "editor/ui/AppIcon.h"
#include "editor/ui/AppResources.h"
#include "ui_AboutDlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::AboutDlg>())
{
    editor::RegisterAppResources();
    ui->setupUi(this);
    setWindowIcon(editor::AppIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CAboutDlg::~CAboutDlg() = default;
