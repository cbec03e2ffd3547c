#include "HostDialogGate.h"

#include "ShowCheck.h"
#include "ShowCheckDlg.h"
#include "StoreGatePrompt.h"
#include "UnsavedNamesQuestion.h"
#include "strings/FormatText.h"
#include "strings/Strings.h"

namespace editor {

namespace {

std::string WarningsText(const ShowCheckReport& report)
{
    std::string texts;
    for (const ShowFinding& finding : report.findings) {
        if (finding.severity != FindingSeverity::kWarning)
            continue;
        texts += texts.empty() ? "" : ";";
        texts += finding.text;
    }
    return strings::FormatText(strings::kCheckWarningsBeforeDownload, report.Warnings(),
                               texts.c_str());
}

} // namespace

bool HostDialogGate::BeforeDownload(const std::string& path,
                                    const std::function<void(const std::string&)>& showWarnings)
{
    if (!BeforeReading(path, strings::kUnsavedBeforeDownload))
        return false;
    const ShowCheckReport report = CheckShowStore(path);
    if (report.Errors() > 0 && !ErrorsAccepted(path, report))
        return false;
    if (report.Warnings() > 0 && showWarnings)
        showWarnings(WarningsText(report));
    return true;
}

bool HostDialogGate::BeforeHostSettings(const std::string& path)
{
    return BeforeReading(path, strings::kUnsavedBeforeHostSettings);
}

bool HostDialogGate::BeforeReading(const std::string& path, const char* next)
{
    if (!window_.unsaved() || !IsSameFile(path, window_.currentStore))
        return true;
    return MayReadStoreWithUnsavedNames(window_.prompt, next, window_.save);
}

bool HostDialogGate::ErrorsAccepted(const std::string& path, const ShowCheckReport& report)
{
    CShowCheckDlg check(path, report, window_.owner);
    check.OfferDownloadAnyway();
    return check.exec() == QDialog::Accepted;
}

} // namespace editor
