#pragma once

#include "hostlink/FieldLoad.h"
#include "hostlink/ui/ConversationWorker.h"
#include "hostlink/ui/FieldLinks.h"
#include "show/Cue.h"

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class LoadAllHostsDlg;
}
namespace prompt {
class Prompt;
}

// Loads every host of a show store's plan at once: the show check (its
// findings listed when it finds errors, and nothing sent unless the designer
// chooses "Load anyway") and the plan come before anything is sent, then one
// line per host shows what it is doing. The load runs on the worker, so the
// window stays responsive; Cancel (or closing the dialog) stops every
// conversation within half a second.
class CLoadAllHostsDlg : public QDialog
{
    Q_OBJECT

public:
    CLoadAllHostsDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent = nullptr,
                     hostlink::FieldLinks links = {});
    ~CLoadAllHostsDlg() override;

    bool IsLoading() const { return m_worker.IsRunning(); }

    // Starts the load; false (after its message) when it is refused.
    bool OnStart();
    void OnCancel();

Q_SIGNALS:
    // After a load: true when every host got its name and every cue.
    void LoadFinished(bool complete);

protected:
    void reject() override; // Esc, Close and the title bar's close box

private:
    // The show check's word on the store: true when it may go to the hosts.
    bool ShowPassesCheck();
    void ShowHost(std::size_t host, const hostlink::FieldHostState& state);
    void OnFinished(const std::vector<hostlink::FieldHostState>& states);

    std::unique_ptr<Ui::LoadAllHostsDlg> ui;
    std::string m_storePath;
    prompt::Prompt& m_prompt;
    hostlink::FieldLinks m_links;
    std::vector<hostlink::FieldHost> m_hosts;
    hostlink::ConversationWorker m_worker{*this};
};
