#include "tools/cli/TerminalDownloadView.h"

#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"

namespace cli {

namespace {
constexpr int kBarWidth = 40;
} // namespace

TerminalDownloadView::TerminalDownloadView(bool terminal, std::FILE* out)
    : terminal_(terminal), out_(out)
{
}

void TerminalDownloadView::ShowProgress(int percent)
{
    SetProgressPercent(percent);
    SetProgressText(strings::FormatText(strings::kDownloadedPercent, percent));
}

void TerminalDownloadView::ShowEnd(const hostlink::DownloadResult& result)
{
    hostlink::ShowDownloadEnd(*this, result);
}

void TerminalDownloadView::ShowDownloadFailure(const show::Failure& failure)
{
    EndBarLine();
    PrintError(messages::FailureText(failure, messages::Doing::kDownloading));
}

void TerminalDownloadView::SetProgressText(const std::string& text)
{
    if (text == lastText_)
        return;
    lastText_ = text;
    if (!terminal_) {
        std::fprintf(out_, "%s\n", text.c_str());
        std::fflush(out_);
        return;
    }
    const int filled = percent_ * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(out_, "\r[%s] %s", bar.c_str(), text.c_str());
    std::fflush(out_);
    barShown_ = true;
}

void TerminalDownloadView::EndBarLine()
{
    if (!barShown_)
        return;
    std::fputc('\n', out_);
    std::fflush(out_);
    barShown_ = false;
}

void TerminalDownloadView::Line(const std::string& text)
{
    EndBarLine();
    std::fprintf(out_, "%s\n", text.c_str());
    std::fflush(out_);
}

} // namespace cli
