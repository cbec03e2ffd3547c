#include "editor/ui/ShowStatusDisplay.h"

#include "qtcommon/QtText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/RehearsalStrings.h"
#include "resources/strings/Strings.h"

#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace editor {

namespace {

QLabel* AddLabel(QStatusBar& bar, const char* objectName, int stretch)
{
    auto* label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(objectName));
    bar.addWidget(label, stretch);
    return label;
}

} // namespace

ShowStatusDisplay::ShowStatusDisplay(QMainWindow& window) : window_(window)
{
    QStatusBar& bar = *window.statusBar();
    path_ = AddLabel(bar, "statusStore", 1);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    counts_ = AddLabel(bar, "statusCounts", 0);
    unsaved_ = AddLabel(bar, "statusUnsaved", 0);
    hosts_ = AddLabel(bar, "statusHosts", 0);
    rehearsal_ = AddLabel(bar, "statusRehearsal", 0);
    QFont bold = rehearsal_->font();
    bold.setBold(true);
    rehearsal_->setFont(bold);
}

void ShowStatusDisplay::Show(const State& state)
{
    const QString path = qtcommon::ToQString(state.storePath);
    window_.setWindowFilePath(path);
    if (state.storePath.empty()) {
        window_.setWindowTitle(qtcommon::ToQString(
            state.rehearsal ? strings::kMainWindowTitleRehearsal : strings::kMainWindowTitle));
        path_->setText(qtcommon::ToQString(strings::kStatusNoStore));
    } else {
        const std::string name = qtcommon::ToStdString(QFileInfo(path).fileName());
        window_.setWindowTitle(qtcommon::ToQString(
            strings::FormatText(state.rehearsal ? strings::kMainWindowTitleWithStoreRehearsal
                                                : strings::kMainWindowTitleWithStore,
                                name.c_str())));
        path_->setText(path);
    }
    window_.setWindowModified(state.unsaved);
    counts_->setText(qtcommon::ToQString(
        strings::FormatText(strings::kStatusCounts, state.cues, state.hostNames)));
    unsaved_->setText(state.unsaved ? qtcommon::ToQString(strings::kStatusUnsaved) : QString());
    if (!state.hostsNotCurrent)
        hosts_->clear();
    else if (*state.hostsNotCurrent == 0)
        hosts_->setText(qtcommon::ToQString(strings::kStatusHostsCurrent));
    else
        hosts_->setText(qtcommon::ToQString(
            strings::FormatText(strings::kStatusHostsNotCurrent, *state.hostsNotCurrent)));
    rehearsal_->setText(state.rehearsal ? qtcommon::ToQString(strings::kRehearsalHostsAt)
                                        : QString());
    rehearsal_->setVisible(state.rehearsal);
}

} // namespace editor
