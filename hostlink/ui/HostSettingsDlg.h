#pragma once

#include "hostlink/HostNameSetting.h"
#include "hostlink/ui/HostDialog.h"

#include <memory>
#include <stop_token>
#include <vector>

namespace Ui {
class HostSettingsDlg;
}
namespace prompt {
class Prompt;
}

// The Host Settings dialog: the host names of a show store chosen when the
// dialog opens, one of them ticked, and a host code; Setings tells that host
// the ticked name. The exchange with the host runs on a worker thread; the
// dialog closes only once it has ended.
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
    // After a Setings press that reached the exchange or stopped before it:
    // true when the host accepted the name.
    void SettingFinished(bool accepted);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetUpDialog();
    void FillHostList();
    void OnSelectionChanged();
    std::vector<hostlink::HostListItem> HostListItems() const;
    void OnSettingFinished();

    std::unique_ptr<Ui::HostSettingsDlg> ui;
    std::stop_source m_cancel; // a new one for every Setings press
    bool m_lastResult = false; // written by the worker, read once it has ended
};
