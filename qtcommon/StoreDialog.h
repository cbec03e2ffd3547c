#pragma once

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

} // namespace qtcommon
