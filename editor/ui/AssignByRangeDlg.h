#pragma once

#include "show/CueRule.h"
#include "show/Show.h"

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace prompt {
class Prompt;
}

// "Edit" > "Assign Host by Range...": the cues a designer means, by module
// range, channel range, launch-time span, event code and current host, with
// the count of matching cues kept up to date while typing. OK ends with the
// matches and either a host name for them (required, as in Assign Host) or
// the choice to only select them.
class CAssignByRangeDlg : public QDialog
{
    Q_OBJECT

public:
    CAssignByRangeDlg(const show::Show& show, prompt::Prompt& prompt, QWidget* parent = nullptr);

    // The matching cues, in store order.
    const std::vector<show::CueIndex>& Matches() const { return matches_; }
    const std::string& HostName() const { return hostName_; }
    bool SelectOnly() const;

    QLineEdit& ModulesField() { return *modules_; }
    QLineEdit& ChannelsField() { return *channels_; }
    QLineEdit& FromField() { return *from_; }
    QLineEdit& ToField() { return *to_; }
    QLineEdit& EventField() { return *event_; }
    QLineEdit& CurrentHostField() { return *current_; }
    QLineEdit& HostNameField() { return *name_; }
    QCheckBox& SelectOnlyBox() { return *selectOnly_; }
    QString CountText() const;

private:
    QLineEdit* AddField(class QFormLayout& form, const char* label);
    // The rule of the fields; nothing, with the label of the first field that
    // does not parse, when one does not.
    std::optional<show::CueRule> Rule(std::string& badField) const;
    void Recount();
    void OnOK();

    const show::Show& show_;
    prompt::Prompt& prompt_;
    QLineEdit* modules_;
    QLineEdit* channels_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* event_;
    QLineEdit* current_;
    QLineEdit* name_;
    QCheckBox* selectOnly_;
    QLabel* count_;
    std::vector<show::CueIndex> matches_;
    bool ruleValid_ = true;
    std::string hostName_;
};
