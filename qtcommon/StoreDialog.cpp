#include "qtcommon/StoreDialog.h"

#include "qtcommon/QtText.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>

namespace qtcommon {

void SetUpStoreDialog(QDialog& dialog, const char* title, QLabel& storeLabel,
                      const std::string& storePath)
{
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setWindowTitle(ToQString(title));
    storeLabel.setText(ToQString(storePath));
}

void SetButtonTexts(std::initializer_list<std::pair<QAbstractButton*, const char*>> buttons)
{
    for (const auto& [button, text] : buttons)
        button->setText(ToQString(text));
}

} // namespace qtcommon
