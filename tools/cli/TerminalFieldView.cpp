#include "tools/cli/TerminalFieldView.h"

#include "messages/FailureMessage.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "tools/cli/TextTable.h"

#include <sstream>

namespace cli {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};
constexpr int kLineStep = 10; // percent between two plain lines of one host

// Beside a host's state: why it failed, or that it was stopped.
std::string HostMessage(const hostlink::FieldHostState& state)
{
    if (state.phase == hostlink::FieldHostState::kCancelled)
        return strings::kCancelDownload;
    return state.result.failure ? messages::FieldHostFailureText(*state.result.failure)
                                : std::string();
}

std::string HostLine(const hostlink::FieldHost& host, const hostlink::FieldHostState& state)
{
    return strings::FormatText("%-16s %3d  %-21s  %-17s %3d％  %s", host.hostName.c_str(),
                               host.hostCode, FieldHostAddress(host).c_str(),
                               hostlink::PhaseText(state.phase), state.percent,
                               HostMessage(state).c_str());
}

} // namespace

std::string FieldHostAddress(const hostlink::FieldHost& host)
{
    return hostlink::HostAddressText(host.link, host.hostCode) + ":" +
           std::to_string(host.link.port);
}

TerminalFieldView::TerminalFieldView(std::vector<hostlink::FieldHost> hosts, bool terminal,
                                     std::FILE* out)
    : hosts_(std::move(hosts)), states_(hosts_.size()), terminal_(terminal), out_(out)
{
}

void TerminalFieldView::Changed(std::size_t host, const hostlink::FieldHostState& state)
{
    const std::lock_guard lock(mutex_);
    const hostlink::FieldHostState before = states_.at(host);
    states_[host] = state;
    if (terminal_) {
        const bool due = std::chrono::steady_clock::now() - lastDrawn_ >= kRedrawInterval;
        if (due || state.phase != before.phase)
            Redraw();
        return;
    }
    if (state.phase != before.phase || state.percent / kLineStep != before.percent / kLineStep) {
        std::fprintf(out_, "%s\n", HostLine(hosts_[host], state).c_str());
        std::fflush(out_);
    }
}

void TerminalFieldView::Finish()
{
    const std::lock_guard lock(mutex_);
    if (terminal_)
        Redraw();
}

void TerminalFieldView::Redraw()
{
    if (drawn_)
        std::fprintf(out_, "\x1b[%zuA", hosts_.size()); // back to the first host's line
    for (std::size_t i = 0; i < hosts_.size(); ++i)
        std::fprintf(out_, "\r\x1b[K%s\n", HostLine(hosts_[i], states_[i]).c_str());
    std::fflush(out_);
    drawn_ = true;
    lastDrawn_ = std::chrono::steady_clock::now();
}

void TerminalFieldView::WriteSummary(std::FILE* out, const std::vector<hostlink::FieldHost>& hosts,
                                     const std::vector<hostlink::FieldHostState>& states)
{
    std::vector<TextRow> rows = {{strings::kFieldColumnHost, strings::kFieldColumnCode,
                                  strings::kFieldColumnAddress, strings::kFieldColumnState,
                                  strings::kFieldColumnPercent, strings::kFieldColumnMessage}};
    int loaded = 0;
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        rows.push_back({hosts[i].hostName, std::to_string(hosts[i].hostCode),
                        FieldHostAddress(hosts[i]), hostlink::PhaseText(states[i].phase),
                        std::to_string(states[i].percent) + "％", HostMessage(states[i])});
        loaded += states[i].phase == hostlink::FieldHostState::kDone ? 1 : 0;
    }
    std::ostringstream table;
    WriteAligned(table, rows);
    std::fprintf(out, "%s%s\n", table.str().c_str(),
                 strings::FormatText(strings::kFieldSummary, loaded, static_cast<int>(hosts.size()))
                     .c_str());
    std::fflush(out);
}

} // namespace cli
