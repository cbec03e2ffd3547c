#include "tools/cli/CheckReportOutput.h"

#include "messages/ErrorRecord.h"
#include "messages/FailureMessage.h"
#include "messages/FindingText.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "tools/cli/CliCommon.h"

namespace cli {

namespace {

// "3,5-9,12": a show on one host lists thousands of rows in one finding.
std::string SequenceText(const std::vector<int>& sequences)
{
    std::string text;
    for (std::size_t i = 0; i < sequences.size();) {
        std::size_t last = i;
        while (last + 1 < sequences.size() && sequences[last + 1] == sequences[last] + 1)
            ++last;
        if (!text.empty())
            text += ',';
        text += std::to_string(sequences[i]);
        if (last > i)
            text += (last > i + 1 ? "-" : ",") + std::to_string(sequences[last]);
        i = last + 1;
    }
    return text;
}

} // namespace

std::optional<show::ShowCheckReport> CheckStore(const std::string& store)
{
    try {
        return show::CheckShowStore(store);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kChecking);
    }
    return std::nullopt;
}

void WriteCheckReport(std::ostream& out, const show::ShowCheckReport& report)
{
    for (const show::ShowFinding& finding : report.findings) {
        out << messages::SeverityText(finding.severity) << ": "
            << show::EscapeControlCharacters(
                   messages::CondenseErrorDump(messages::FindingText(finding), "", VerboseOutput()),
                   "\n\t");
        if (!finding.sequences.empty())
            out << ' ' << strings::kColSequence << ": " << SequenceText(finding.sequences);
        out << '\n';
    }
    if (report.findings.empty())
        out << strings::kCheckNothingFound << '\n';
    out << strings::FormatText(strings::kCheckSummary, report.cues, report.Errors(),
                               report.Warnings())
        << '\n';
}

nlohmann::ordered_json CheckReportJson(const show::ShowCheckReport& report)
{
    nlohmann::ordered_json findings = nlohmann::ordered_json::array();
    for (const show::ShowFinding& finding : report.findings)
        findings.push_back(
            {{"severity", finding.severity == show::FindingSeverity::kError ? "error" : "warning"},
             {"kind", show::FindingKindName(finding.kind)},
             {"text", messages::FindingText(finding)},
             {"sequences", finding.sequences}});
    return {{"cues", report.cues},
            {"errors", report.Errors()},
            {"warnings", report.Warnings()},
            {"findings", std::move(findings)}};
}

} // namespace cli
