#pragma once

#include "hostlink/FieldLoad.h"
#include "hostlink/ui/ConversationWorker.h"
#include "hostlink/ui/FieldLinks.h"
#include "show/Cue.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class LoadAllHostsDlg;
}
namespace prompt {
class Prompt;
}

// Loads every host of a show store's plan at once, or only those that do not
// hold the show as it is now: the show check (its findings listed when it
// finds errors, and nothing sent unless the designer chooses "Load anyway")
// and the plan come before anything is sent, then one line per host shows
// what it holds and what it is doing. The load runs on the worker, so the
// window stays responsive; Cancel stops every conversation within half a
// second. Each conversation is recorded in the store as it ends.
class CLoadAllHostsDlg : public QDialog
{
    Q_OBJECT

public:
    CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent = nullptr,
                     hostlink::FieldLinks links = {});
    ~CLoadAllHostsDlg() override;

    bool IsLoading() const { return worker_.IsRunning(); }

    // Starts the load of every host; false (after its message) when it is
    // refused.
    bool OnStart();
    // The same for the hosts that are not current; false also when none is.
    bool OnStartStale();
    void OnCancel();

Q_SIGNALS:
    // After a load: true when every host got its name and every cue.
    void LoadFinished(bool complete);

protected:
    // Esc, Close and the title bar's close box; while hosts are loading it
    // asks first: stop them and close once they have stopped, or go on.
    void reject() override;

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
                    const std::vector<show::Failure>& warnings);

    std::unique_ptr<Ui::LoadAllHostsDlg> ui_;
    std::string storePath_;
    prompt::Prompt& prompt_;
    hostlink::FieldLinks links_;
    std::vector<hostlink::FieldHost> hosts_; // one per row
    std::vector<int> loadRows_;              // the row of each host being loaded
    bool closeWhenStopped_ = false;
    hostlink::ConversationWorker worker_{*this};
};
