#pragma once

#include "hostlink/ui/FieldLinks.h"
#include "messages/FailureMessage.h"
#include "store/HostPlanTable.h"

#include <QDialog>
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
// saves, then loads the field.
class CHostPlanDlg : public QDialog
{
    Q_OBJECT

public:
    CHostPlanDlg(std::string storePath, prompt::Prompt& prompt, QWidget* parent = nullptr,
                 hostlink::FieldLinks links = {});
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
    prompt::Prompt& prompt_;
    hostlink::FieldLinks links_;
    bool modified_ = false;
    std::vector<store::HostPlanRow> planAsRead_; // Save refuses when the store no longer holds it
};
