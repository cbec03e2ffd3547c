#pragma once

#include "hostlink/Conversation.h"
#include "hostlink/SendHostName.h"
#include "hostlink/ui/HostDialog.h"
#include "show/HostPlan.h"
#include "show/Warning.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class HostSettingsDlg;
}
namespace prompt {
class Prompt;
}

// The Host Settings dialog: the host names of a show store chosen when the
// dialog opens, one of them ticked, and a host code (the one the store's plan
// gives the name, when it does); Setings tells that host the ticked name,
// after asking when the plan gives that host to another name. The name and the host code are
// checked on the window's thread; the exchange with the host then runs on the worker, and the
// dialog closes only once it has ended.
class CHostSettingsDlg : public CHostDialog
{
    Q_OBJECT

public:
    // Asks for its show store at once, through `prompt` (the main window's,
    // or a scripted one in tests); talks to hosts as `options` say.
    explicit CHostSettingsDlg(prompt::Prompt& prompt, QWidget* parent = nullptr,
                              Options options = {});
    ~CHostSettingsDlg() override;

    void OnSet();

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
    // The plan's entry for a host name, if it has one.
    const show::HostPlanEntry* PlannedName(const std::string& name) const;
    // Whether `name` may go to the host that the plan gives `hostCode`: asks
    // when the plan gives that code to another name.
    bool MaySendTo(int hostCode, const std::string& name);
    void OnSettingFinished(const hostlink::ConversationResult& result,
                           const std::optional<show::Warning>& recordWarning);

    std::unique_ptr<Ui::HostSettingsDlg> ui;
    std::string m_storePath; // the store the names came from, which keeps the records
    std::vector<show::HostPlanEntry> m_plan;
};
