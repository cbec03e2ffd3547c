#pragma once

#include "hostlink/RehearsalHosts.h"
#include "show/HostPlan.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace prompt {
class Prompt;
}

// The virtual hosts of a rehearsal: one line per host code of a show
// store's plan, with the fault its host is to play (for training: refuse cue
// K, go silent from frame K, answer frame K late) and what became of it.
// Start starts them all in `hosts` (ending those that ran), each on
// 127.0.0.1 at port 10061 + N, and says in one message which could not
// listen and why (a port another program holds). The hosts outlive the
// dialog: they belong to `hosts`.
class CVirtualHostsDlg : public QDialog
{
    Q_OBJECT

public:
    CVirtualHostsDlg(std::vector<show::HostPlanEntry> plan, hostlink::RehearsalHosts& hosts,
                     prompt::Prompt& prompt, QWidget* parent = nullptr);
    ~CVirtualHostsDlg() override;

    // Starts every line's host; the number listening.
    int OnStart();
    // The fault of a line as it is set now.
    hostlink::VirtualHostFault FaultOf(int row) const;

private:
    enum Column
    {
        kHost,
        kCode,
        kAddress,
        kFault,
        kFrame,
        kLate,
        kState,
        kColumns
    };

    std::vector<show::HostPlanEntry> plan_;
    hostlink::RehearsalHosts& hosts_;
    prompt::Prompt& prompt_;
    QTableWidget* table_;
    QLabel* summary_;
    QPushButton* start_;
};
