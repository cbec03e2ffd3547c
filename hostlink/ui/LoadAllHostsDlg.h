#pragma once

#include "hostlink/FieldLoad.h"
#include "hostlink/ui/HostDialog.h"
#include "show/Cue.h"
#include "show/Warning.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class LoadAllHostsDlg;
}

// Loads every host of a show store's plan at once, or only those that do not
// hold the show as it is now: the show check (its findings listed when it
// finds errors, and nothing sent unless the designer chooses "Load anyway")
// and the plan come before anything is sent, then one line per host shows
// what it holds and what it is doing. The load runs on the worker, so the
// window stays responsive; Cancel stops every conversation within half a
// second. Each conversation is recorded in the store as it ends. Closing
// while hosts are loading asks first: stop them and close once they have
// stopped, or go on. Without the socket layer nothing can be loaded.
class CLoadAllHostsDlg : public CHostDialog
{
    Q_OBJECT

public:
    // The hosts of the store at `storePath`, talked to as `options` say.
    CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent = nullptr,
                     Options options = {});
    ~CLoadAllHostsDlg() override;

    // Starts the load of every host; false (after its message) when it is
    // refused.
    bool OnStart();
    // The same for the hosts that are not current; false also when none is.
    bool OnStartStale();

Q_SIGNALS:
    // After a load: true when every host got its name and every cue.
    void LoadFinished(bool complete);

private:
    // The show and the hosts of its plan, or nothing after the message why.
    struct Field
    {
        std::vector<show::Cue> cues;
        std::vector<show::HostPlanEntry> plan;
        std::vector<hostlink::FieldHost> hosts;
    };
    std::optional<Field> ReadField();
    bool Start(bool staleOnly);
    // The show check's word on the store: true when it may go to the hosts.
    bool ShowPassesCheck();
    void FillHosts(const std::vector<hostlink::FieldHost>& hosts);
    // What each host holds, read afresh; the failure's text in the summary.
    void ShowHostStates();
    void ShowHost(std::size_t row, const hostlink::FieldHostState& state);
    void OnFinished(const std::vector<hostlink::FieldHostState>& states,
                    const std::vector<show::Warning>& warnings);

    void EnableStart(bool enabled);

    std::unique_ptr<Ui::LoadAllHostsDlg> ui_;
    std::string storePath_;
    std::vector<hostlink::FieldHost> hosts_; // one per row
    std::vector<int> loadRows_;              // the row of each host being loaded
};
