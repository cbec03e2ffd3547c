#pragma once

#include "show/ShowCheck.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ShowCheckDlg;
}

// The findings of the show check on one show store, one row each (severity,
// text, the rows' "Sequence" values), errors first, and a summary line: the
// window's "Tools" > "Check Show...", and the question before a store with
// errors goes to firing hosts. It takes its parent's icon.
class CShowCheckDlg : public QDialog
{
    Q_OBJECT

public:
    CShowCheckDlg(const std::string& storePath, const show::ShowCheckReport& report,
                  QWidget* parent = nullptr);
    ~CShowCheckDlg() override;

    // Makes the dialog the question before a download: "Download anyway"
    // accepts; "Cancel", the default button, Escape and the close box reject.
    void OfferDownloadAnyway();
    // The same before loading every host of a field, with "Load anyway".
    void OfferLoadAnyway();

Q_SIGNALS:
    // A finding double-clicked (or Enter on it): its cues, by their place in
    // the show.
    void CuesPicked(const std::vector<show::CueIndex>& cues);

private:
    void Fill(const show::ShowCheckReport& report);
    void OfferGoingOn(const char* text, const char* objectName);

    std::unique_ptr<Ui::ShowCheckDlg> ui_;
    std::vector<std::vector<show::CueIndex>> cues_; // per finding
};
