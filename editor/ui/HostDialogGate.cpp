#include "editor/ui/HostDialogGate.h"

#include "editor/UnsavedNamesQuestion.h"
#include "messages/FailureMessage.h"
#include "messages/FindingText.h"
#include "platform/FileIdentity.h"
#include "qtcommon/ShowCheckDlg.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ShowCheck.h"

namespace editor {

namespace {

std::string WarningsText(const show::ShowCheckReport& report)
{
    std::string texts;
    for (const show::ShowFinding& finding : report.findings) {
        if (finding.severity != show::FindingSeverity::kWarning)
            continue;
        texts += texts.empty() ? "" : ";";
        texts += messages::FindingText(finding);
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
    std::optional<show::ShowCheckReport> report;
    try {
        report = show::CheckShowStore(path);
    } catch (const show::Failure& failure) {
        messages::ShowFailureText(window_.prompt, failure, messages::Doing::kChecking);
        return false;
    }
    if (report->Errors() > 0 && !ErrorsAccepted(path, *report))
        return false;
    if (report->Warnings() > 0 && showWarnings)
        showWarnings(WarningsText(*report));
    return true;
}

bool HostDialogGate::BeforeHostSettings(const std::string& path)
{
    return BeforeReading(path, strings::kUnsavedBeforeHostSettings);
}

bool HostDialogGate::BeforeReading(const std::string& path, const char* next)
{
    if (!window_.unsaved() || !platform::SameFile(path, window_.currentStore))
        return true;
    return MayReadStoreWithUnsavedNames(window_.prompt, next, window_.save);
}

bool HostDialogGate::ErrorsAccepted(const std::string& path, const show::ShowCheckReport& report)
{
    CShowCheckDlg check(path, report, window_.owner);
    check.OfferDownloadAnyway();
    return check.exec() == QDialog::Accepted;
}

} // namespace editor
