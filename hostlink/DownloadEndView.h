#pragma once

#include "hostlink/SendShow.h"

#include <string>

namespace hostlink {

// Where the Download dialog's texts go: the dialog itself, or the terminal
// of the command line, which says the same.
class DownloadEndView
{
public:
    virtual ~DownloadEndView() = default;

    virtual void ShowProgress(int percent) = 0;
    virtual void SetEndText(const std::string& text) = 0;
    virtual void SetStatusLine(const std::string& text) = 0;
    // The failure's message, where the view tells of failures.
    virtual void ShowDownloadFailure(const show::Failure& failure) = 0;
};

// What a download shows once it has ended: the full bar and the end texts,
// the cancel line, or the failure.
void ShowDownloadEnd(DownloadEndView& view, const DownloadResult& result);

} // namespace hostlink
