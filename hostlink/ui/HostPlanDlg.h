#pragma once

#include "hostlink/ui/HostDialog.h"
#include "store/HostPlanTable.h"

#include <functional>
#include <memory>
#include <string>

namespace Ui {
class HostPlanDlg;
}

// The host plan of one show store: every host name of the show with its
// number of cues and an editable host code (the host's address beside it),
// plus names the plan keeps that the show no longer has, and what each
// planned host holds. Save writes the whole plan or nothing; Load All Hosts
// saves, then loads the field in its own dialog, which gets these options.
// It talks to no host itself: it starts no conversation and no socket layer.
class CHostPlanDlg : public CHostDialog
{
    Q_OBJECT

public:
    // The plan of the store at `storePath`; its addresses as `options` say.
    CHostPlanDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent = nullptr,
                 Options options = {});
    ~CHostPlanDlg() override;

    // Writes the table into the store; false after the message saying why not.
    bool OnSave();
    void OnLoadAllHosts();

private:
    void Fill();
    // Runs `read`; when it fails, says why in the words of `doing` and leaves
    // nothing to save or load. True when it read.
    bool ReadForPlan(const std::function<void()>& read, messages::Doing doing);
    void OnCodeEdited(int row, int column);
    // What each planned host holds, as the store's records tell.
    void ShowStates();

    std::unique_ptr<Ui::HostPlanDlg> ui_;
    std::string storePath_;
    bool modified_ = false;
    std::vector<store::HostPlanRow> planAsRead_; // Save refuses when the store no longer holds it
};
