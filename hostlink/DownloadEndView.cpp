#include "hostlink/DownloadEndView.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

namespace hostlink {

namespace {
constexpr int kComplete = 100;
} // namespace

void ShowDownloadEnd(DownloadEndView& view, const DownloadResult& result)
{
    switch (result.status) {
    case DownloadResult::kCompleted:
        view.ShowProgress(kComplete);
        view.SetEndText(strings::kDownloadEnd);
        view.SetStatusLine(
            strings::FormatText(strings::kDownloadTotal, static_cast<int>(result.acknowledged)));
        break;
    case DownloadResult::kCancelled:
        view.SetStatusLine(strings::kCancelDownload);
        break;
    case DownloadResult::kFailed:
        view.ShowDownloadFailure(*result.failure);
        break;
    }
}

} // namespace hostlink
