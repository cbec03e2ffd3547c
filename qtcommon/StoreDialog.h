#pragma once

#include <QStringList>
#include <initializer_list>
#include <string>
#include <utility>

class QAbstractButton;
class QDialog;
class QLabel;

namespace qtcommon {

// What the dialogs on one show store open with: their title from the string
// table, no help button beside it (no dialog has help), and the store's path
// in `storeLabel`.
void SetUpStoreDialog(QDialog& dialog, const char* title, QLabel& storeLabel,
                      const std::string& storePath);

// Each button's text from the string table, in place of its form's.
void SetButtonTexts(std::initializer_list<std::pair<QAbstractButton*, const char*>> buttons);

// Texts of the string table as Qt texts, in their order: column captions.
QStringList ToQStringList(std::initializer_list<const char*> texts);

} // namespace qtcommon
