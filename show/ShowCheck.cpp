#include "show/ShowCheck.h"

#include "platform/Gbk.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "show/Cue.h"
#include "show/DecimalValue.h"
#include "show/FireRecord.h"
#include "show/FiringPoint.h"
#include "show/HostNameRules.h"
#include "show/ShowReader.h"
#include "store/Variant.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace show {

namespace {

using Kind = FindingKind;

// Findings of one kind gathered by what they are about (a host name, a
// stored text, a firing point), in the order each was first met.
template <typename Key> class FindingGroups
{
public:
    std::vector<CueIndex>& Rows(const Key& key)
    {
        const auto [at, added] = index_.try_emplace(key, groups_.size());
        if (added)
            groups_.push_back({key, {}});
        return groups_[at->second].second;
    }
    const std::vector<std::pair<Key, std::vector<CueIndex>>>& Groups() const { return groups_; }

private:
    std::map<Key, std::size_t> index_;
    std::vector<std::pair<Key, std::vector<CueIndex>>> groups_;
};

// A number as the user can see it whole: digits, a minus sign at most. What
// the host gets from it is then exactly what the text says.
bool IsPlainDecimal(const std::string& text)
{
    const std::size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > digits &&
           text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// What a host name is worth to a host, worked out once per name: a show has
// thousands of cues but few hosts.
enum class HostVerdict
{
    kFine,
    kBlank,
    kControl,
    kNotGbk,
    kTooLong,
    kTooWide
};

HostVerdict JudgeHostName(const std::string& name)
{
    if (TrimHostName(name).empty())
        return HostVerdict::kBlank;
    if (HasControlCharacter(name))
        return HostVerdict::kControl;
    const std::optional<std::string> gbk = platform::Utf8ToGbk(name);
    if (!gbk)
        return HostVerdict::kNotGbk;
    if (gbk->size() > kHostNameMaxBytes)
        return HostVerdict::kTooLong;
    return ado::Utf8Length(TrimHostName(name)) > static_cast<std::size_t>(store::kHostNameMaxChars)
               ? HostVerdict::kTooWide
               : HostVerdict::kFine;
}

// The columns whose NULL the check reports, in the table's order.
struct NullColumn
{
    const char* column;
    bool show::CueNulls::*null;
};
constexpr NullColumn kNullColumns[] = {
    {"HostName", &show::CueNulls::HostName},
    {"BlastTime", &show::CueNulls::BlastTime},
    {"CDCode", &show::CueNulls::CDCode},
    {"Sector", &show::CueNulls::Sector},
};
constexpr std::size_t kNullColumnCount = std::size(kNullColumns);

// The FireOne fields whose NULL the check reports, in the order it reads
// them.
struct FireNull
{
    bool FireRecordNulls::*null;
    const char* text;
};
constexpr FireNull kFireNulls[] = {
    {&FireRecordNulls::LaunchTime, strings::kCheckFireNoLaunchTime},
    {&FireRecordNulls::Module, strings::kCheckFireNoModule},
    {&FireRecordNulls::CueNumber, strings::kCheckFireNoCueNumber},
    {&FireRecordNulls::Event, strings::kCheckFireNoEvent},
};
constexpr std::size_t kFireNullCount = std::size(kFireNulls);

std::string NullText(const NullColumn& column)
{
    if (column.null == &show::CueNulls::HostName)
        return strings::kCheckNullHostName;
    return strings::FormatText(strings::kCheckNullNumber, column.column);
}

struct Collected
{
    std::array<std::vector<CueIndex>, kNullColumnCount> nulls;
    std::array<std::vector<CueIndex>, kFireNullCount> fireNulls;
    FindingGroups<FiringPoint> firingPoints;
    std::vector<CueIndex> negativeTimes;
    FindingGroups<std::string> addrNotDecimal, channelNotDecimal, addrTooLarge, channelTooLarge;
    FindingGroups<std::string> addrNegative, channelNegative;
    std::vector<CueIndex> blankHost;
    FindingGroups<std::string> hostControl, hostNotGbk, hostTooLong, hostTooWide;
    std::vector<CueIndex> defaultHost;
    std::unordered_map<std::string, HostVerdict> hostVerdicts;
};

// Where a name of each verdict is filed, with its rows; a blank name is
// filed by its rows alone, and a fine one nowhere.
constexpr std::pair<HostVerdict, FindingGroups<std::string> Collected::*> kHostNameGroups[] = {
    {HostVerdict::kControl, &Collected::hostControl},
    {HostVerdict::kNotGbk, &Collected::hostNotGbk},
    {HostVerdict::kTooLong, &Collected::hostTooLong},
    {HostVerdict::kTooWide, &Collected::hostTooWide},
};

// The number the host would get from a stored Addr or Channel, with what is
// wrong with the text filed under `sequence`.
std::optional<std::int32_t> CollectNumber(const std::string& text, CueIndex sequence,
                                          FindingGroups<std::string>& tooLarge,
                                          FindingGroups<std::string>& notDecimal,
                                          FindingGroups<std::string>& negative)
{
    const std::optional<std::int32_t> value = show::DecimalValue(text);
    if (!value)
        tooLarge.Rows(text).push_back(sequence);
    else if (!IsPlainDecimal(text))
        notDecimal.Rows(text).push_back(sequence);
    if (value && *value < 0)
        negative.Rows(text).push_back(sequence);
    return value;
}

void CollectHostName(const show::Cue& cue, CueIndex sequence, Collected& found)
{
    if (cue.nulls.HostName)
        return; // reported as NULL, not once more as blank
    const auto [at, added] = found.hostVerdicts.try_emplace(cue.HostName, HostVerdict::kFine);
    if (added)
        at->second = JudgeHostName(cue.HostName);
    if (at->second == HostVerdict::kBlank)
        found.blankHost.push_back(sequence);
    for (const auto& [verdict, group] : kHostNameGroups)
        if (verdict == at->second)
            (found.*group).Rows(cue.HostName).push_back(sequence);
    if (cue.HostName == store::kDefaultHostName)
        found.defaultHost.push_back(sequence);
}

void CollectCue(const show::Cue& cue, CueIndex sequence, Collected& found)
{
    for (std::size_t i = 0; i < kNullColumnCount; ++i)
        if (cue.nulls.*kNullColumns[i].null)
            found.nulls[i].push_back(sequence);
    for (std::size_t i = 0; i < kFireNullCount; ++i)
        if (cue.fire.*kFireNulls[i].null)
            found.fireNulls[i].push_back(sequence);
    const std::optional<std::int32_t> addr = CollectNumber(
        cue.Addr, sequence, found.addrTooLarge, found.addrNotDecimal, found.addrNegative);
    const std::optional<std::int32_t> channel =
        CollectNumber(cue.Channel, sequence, found.channelTooLarge, found.channelNotDecimal,
                      found.channelNegative);
    if (addr && channel)
        found.firingPoints.Rows(*FiringPointOf(cue)).push_back(sequence);
    if (cue.BlastTime < 0)
        found.negativeTimes.push_back(sequence);
    CollectHostName(cue, sequence, found);
}

class ReportWriter
{
public:
    ReportWriter(ShowCheckReport& report, const std::vector<Cue>& cues)
        : report_(report), cues_(cues)
    {
    }

    void Error(Kind kind, std::string text, std::vector<CueIndex> rows = {})
    {
        Add(kind, FindingSeverity::kError, std::move(text), std::move(rows));
    }
    void Warning(Kind kind, std::string text, std::vector<CueIndex> rows)
    {
        Add(kind, FindingSeverity::kWarning, std::move(text), std::move(rows));
    }

    void NotDecimal(Kind kind, const char* caption, const FindingGroups<std::string>& groups)
    {
        for (const auto& [text, rows] : groups.Groups())
            Error(kind,
                  strings::FormatText(strings::kCheckNotDecimal, caption, text.c_str(),
                                      show::DecimalValue(text).value_or(0)),
                  rows);
    }
    void TooLarge(Kind kind, const char* caption, const FindingGroups<std::string>& groups)
    {
        for (const auto& [text, rows] : groups.Groups())
            Error(kind, strings::FormatText(strings::kCheckNumberTooLarge, caption, text.c_str()),
                  rows);
    }
    void Negative(Kind kind, const char* caption, const FindingGroups<std::string>& groups)
    {
        for (const auto& [text, rows] : groups.Groups())
            Error(kind, strings::FormatText(strings::kCheckNegativeNumber, caption, text.c_str()),
                  rows);
    }

private:
    void Add(Kind kind, FindingSeverity severity, std::string text, std::vector<CueIndex> rows)
    {
        std::vector<int> sequences;
        sequences.reserve(rows.size());
        for (const CueIndex cue : rows)
            sequences.push_back(cues_[cue].FlowID);
        report_.findings.push_back(
            {kind, severity, std::move(text), std::move(sequences), std::move(rows)});
    }

    ShowCheckReport& report_;
    const std::vector<Cue>& cues_;
};

int Count(const ShowCheckReport& report, FindingSeverity severity)
{
    return static_cast<int>(std::count_if(
        report.findings.begin(), report.findings.end(),
        [severity](const ShowFinding& finding) { return finding.severity == severity; }));
}

} // namespace

int ShowCheckReport::Errors() const
{
    return Count(*this, FindingSeverity::kError);
}
int ShowCheckReport::Warnings() const
{
    return Count(*this, FindingSeverity::kWarning);
}

ShowCheckReport CheckShow(const std::vector<show::Cue>& cues)
{
    ShowCheckReport report;
    report.cues = static_cast<int>(cues.size());
    ReportWriter write(report, cues);
    if (cues.empty()) {
        write.Error(Kind::kEmptyShow, strings::kCheckEmptyShow);
        return report;
    }
    Collected found;
    for (CueIndex cue = 0; cue < cues.size(); ++cue)
        CollectCue(cues[cue], cue, found);

    for (std::size_t i = 0; i < kNullColumnCount; ++i)
        if (!found.nulls[i].empty())
            write.Error(Kind::kNullField, NullText(kNullColumns[i]), found.nulls[i]);

    for (const auto& [point, rows] : found.firingPoints.Groups()) {
        if (rows.size() < 2)
            continue;
        write.Error(Kind::kSharedFiringPoint,
                    strings::FormatText(strings::kCheckSharedFiringPoint, point.host.c_str(),
                                        point.module, point.channel, static_cast<int>(rows.size())),
                    rows);
    }
    if (!found.negativeTimes.empty())
        write.Error(Kind::kNegativeLaunchTime, strings::kCheckNegativeTime, found.negativeTimes);
    write.NotDecimal(Kind::kAddrNotDecimal, strings::kColSla, found.addrNotDecimal);
    write.NotDecimal(Kind::kChannelNotDecimal, strings::kColCue, found.channelNotDecimal);
    write.TooLarge(Kind::kAddrTooLarge, strings::kColSla, found.addrTooLarge);
    write.TooLarge(Kind::kChannelTooLarge, strings::kColCue, found.channelTooLarge);
    write.Negative(Kind::kAddrNegative, strings::kColSla, found.addrNegative);
    write.Negative(Kind::kChannelNegative, strings::kColCue, found.channelNegative);
    if (!found.blankHost.empty())
        write.Error(Kind::kHostNameBlank, strings::kCheckHostBlank, found.blankHost);
    for (const auto& [host, rows] : found.hostControl.Groups())
        write.Error(
            Kind::kHostNameControl,
            strings::FormatText(strings::kCheckHostControl, EscapeControlCharacters(host).c_str()),
            rows);
    for (const auto& [host, rows] : found.hostNotGbk.Groups())
        write.Error(Kind::kHostNameNotGbk,
                    strings::FormatText(strings::kCheckHostNotGbk, host.c_str()), rows);
    for (const auto& [host, rows] : found.hostTooLong.Groups())
        write.Error(Kind::kHostNameTooLong,
                    strings::FormatText(strings::kCheckHostTooLong, host.c_str(),
                                        static_cast<int>(platform::Utf8ToGbk(host)->size()),
                                        static_cast<int>(kHostNameMaxBytes)),
                    rows);
    for (const auto& [host, rows] : found.hostTooWide.Groups())
        write.Error(
            Kind::kHostNameTooWide,
            strings::FormatText(strings::kCheckHostTooWide, host.c_str(), store::kHostNameMaxChars),
            rows);
    if (!found.defaultHost.empty())
        write.Warning(Kind::kDefaultHost,
                      strings::FormatText(strings::kCheckDefaultHost, store::kDefaultHostName),
                      found.defaultHost);
    for (std::size_t i = 0; i < kFireNullCount; ++i)
        if (!found.fireNulls[i].empty())
            write.Warning(Kind::kFireRecordNull, kFireNulls[i].text, found.fireNulls[i]);
    return report;
}

ShowCheckReport CheckShowOfStore(std::vector<show::Cue> cues, const std::string& storePath)
{
    try {
        if (!storePath.empty())
            NoteFireRecordNulls(cues, ReadNullFireRecordCues(storePath));
    } catch (const Failure&) {
        // Save and the download say why the store cannot be read; the
        // check of the show held here goes on.
    }
    return CheckShow(cues);
}

ShowCheckReport CheckShowStore(const std::string& path, WorkProgress& progress)
{
    std::vector<Cue> cues = ReadShowFile(path, progress);
    NoteFireRecordNulls(cues, ReadNullFireRecordCues(path));
    return CheckShow(cues);
}

std::optional<ShowCheckReport> CheckShowStore(const std::string& path,
                                              const std::function<void(const Failure&)>& failed,
                                              WorkProgress& progress)
{
    try {
        return CheckShowStore(path, progress);
    } catch (const Failure& failure) {
        failed(failure);
        return std::nullopt;
    }
}

const char* FindingKindName(FindingKind kind)
{
    switch (kind) {
    case Kind::kEmptyShow:
        return "empty-show";
    case Kind::kSharedFiringPoint:
        return "shared-firing-point";
    case Kind::kNegativeLaunchTime:
        return "negative-launch-time";
    case Kind::kAddrNotDecimal:
        return "addr-not-decimal";
    case Kind::kChannelNotDecimal:
        return "channel-not-decimal";
    case Kind::kAddrTooLarge:
        return "addr-too-large";
    case Kind::kChannelTooLarge:
        return "channel-too-large";
    case Kind::kHostNameBlank:
        return "host-name-blank";
    case Kind::kHostNameNotGbk:
        return "host-name-not-gbk";
    case Kind::kHostNameTooLong:
        return "host-name-too-long";
    case Kind::kDefaultHost:
        return "default-host";
    case Kind::kNullField:
        return "null-field";
    case Kind::kHostNameControl:
        return "host-name-control";
    case Kind::kAddrNegative:
        return "addr-negative";
    case Kind::kChannelNegative:
        return "channel-negative";
    case Kind::kHostNameTooWide:
        return "host-name-too-wide";
    case Kind::kFireRecordNull:
        return "fire-record-null";
    }
    return "unknown";
}

const char* SeverityText(FindingSeverity severity)
{
    return severity == FindingSeverity::kError ? strings::kCheckError : strings::kCheckWarning;
}

} // namespace show
