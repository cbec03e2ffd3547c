#pragma once

#include "hostlink/FieldLoad.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

namespace cli {

// A field load on standard error: one line per host, redrawn in place on a
// terminal; otherwise a plain line whenever a host starts another step or
// passes another tenth of its show, so that a log shows each step once.
// Hosts report from their own threads: every call is serialised.
class TerminalFieldView
{
public:
    TerminalFieldView(std::vector<hostlink::FieldHost> hosts, bool terminal,
                      std::FILE* out = stderr);

    void Changed(std::size_t host, const hostlink::FieldHostState& state);
    // Draws the final state once more, for a terminal's last picture.
    void Finish();

    // The summary, host by host, with each failure's own text.
    static void WriteSummary(std::FILE* out, const std::vector<hostlink::FieldHost>& hosts,
                             const std::vector<hostlink::FieldHostState>& states);

private:
    void Redraw();

    std::vector<hostlink::FieldHost> hosts_;
    std::vector<hostlink::FieldHostState> states_;
    bool terminal_;
    std::FILE* out_;
    std::mutex mutex_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

// Where a host's conversations go: "192.168.10.5:10061".
std::string FieldHostAddress(const hostlink::FieldHost& host);

} // namespace cli
