#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/HostNameSetting.h"
#include "hostlink/ui/HostDialog.h"

#include <memory>
#include <vector>

namespace Ui {
class HostSettingsDlg;
}
namespace prompt {
class Prompt;
}

// The Host Settings dialog: the host names of a show store chosen when the
// dialog opens, one of them ticked, and a host code; Setings tells that host
// the ticked name. The name and the host code are checked on the window's
// thread; the exchange with the host then runs on the worker, and the dialog
// closes only once it has ended.
class CHostSettingsDlg : public CHostDialog
{
    Q_OBJECT

public:
    // Talks to the user through message boxes and file dialogs of its own.
    explicit CHostSettingsDlg(QWidget* parent = nullptr);
    // Talks to the user through `prompt` (the main window's, or a scripted
    // one in tests), to hosts as `options` say.
    explicit CHostSettingsDlg(prompt::Prompt& prompt, QWidget* parent = nullptr,
                              hostlink::HostDialogOptions options = {});
    ~CHostSettingsDlg() override;

    bool IsSetting() const { return IsWorking(); }

    void OnSet();
    void OnExit();

Q_SIGNALS:
    // After each Setings press: true when the host accepted the name.
    void SettingFinished(bool accepted);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetUpDialog();
    void FillHostList();
    void OnSelectionChanged();
    std::vector<hostlink::HostListItem> HostListItems() const;
    // Checks the name and the host code and starts the exchange; false when
    // it stopped first.
    bool StartSetting();
    void OnSettingFinished(const hostlink::ConversationResult& result);

    std::unique_ptr<Ui::HostSettingsDlg> ui;
};
