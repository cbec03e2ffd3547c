#include "show/ShowCheck.h"

#include "platform/Gbk.h"
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
    const char* field;
};
constexpr FireNull kFireNulls[] = {
    {&FireRecordNulls::LaunchTime, "LaunchTimeMS"},
    {&FireRecordNulls::Module, "Slat"},
    {&FireRecordNulls::CueNumber, "Cue"},
    {&FireRecordNulls::Event, "Event"},
};
constexpr std::size_t kFireNullCount = std::size(kFireNulls);

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

// Where a name of each verdict is filed, with its rows, and the error each
// name there gets, in the report's order; a blank name is filed by its rows
// alone, and a fine one nowhere.
struct HostNameGroup
{
    HostVerdict verdict;
    FindingGroups<std::string> Collected::*group;
    Kind kind;
};
constexpr HostNameGroup kHostNameGroups[] = {
    {HostVerdict::kControl, &Collected::hostControl, Kind::kHostNameControl},
    {HostVerdict::kNotGbk, &Collected::hostNotGbk, Kind::kHostNameNotGbk},
    {HostVerdict::kTooLong, &Collected::hostTooLong, Kind::kHostNameTooLong},
    {HostVerdict::kTooWide, &Collected::hostTooWide, Kind::kHostNameTooWide},
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
    for (const HostNameGroup& names : kHostNameGroups)
        if (names.verdict == at->second)
            (found.*names.group).Rows(cue.HostName).push_back(sequence);
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

    void Error(Kind kind, std::vector<CueIndex> rows = {}, std::string subject = {})
    {
        Add({kind, FindingSeverity::kError, std::move(subject), 0, 0, {}, {}}, std::move(rows));
    }
    void Warning(Kind kind, std::vector<CueIndex> rows, std::string subject = {})
    {
        Add({kind, FindingSeverity::kWarning, std::move(subject), 0, 0, {}, {}}, std::move(rows));
    }
    // One error for each text or name of the groups.
    void Errors(Kind kind, const FindingGroups<std::string>& groups)
    {
        for (const auto& [subject, rows] : groups.Groups())
            Error(kind, rows, subject);
    }
    void SharedFiringPoint(const FiringPoint& point, std::vector<CueIndex> rows)
    {
        Add({Kind::kSharedFiringPoint,
             FindingSeverity::kError,
             point.host,
             point.module,
             point.channel,
             {},
             {}},
            std::move(rows));
    }

private:
    void Add(ShowFinding finding, std::vector<CueIndex> rows)
    {
        finding.sequences.reserve(rows.size());
        for (const CueIndex cue : rows)
            finding.sequences.push_back(cues_[cue].FlowID);
        finding.cues = std::move(rows);
        report_.findings.push_back(std::move(finding));
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
        write.Error(Kind::kEmptyShow);
        return report;
    }
    Collected found;
    for (CueIndex cue = 0; cue < cues.size(); ++cue)
        CollectCue(cues[cue], cue, found);

    for (std::size_t i = 0; i < kNullColumnCount; ++i)
        if (!found.nulls[i].empty())
            write.Error(Kind::kNullField, found.nulls[i], kNullColumns[i].column);
    for (const auto& [point, rows] : found.firingPoints.Groups())
        if (rows.size() >= 2)
            write.SharedFiringPoint(point, rows);
    if (!found.negativeTimes.empty())
        write.Error(Kind::kNegativeLaunchTime, found.negativeTimes);
    write.Errors(Kind::kAddrNotDecimal, found.addrNotDecimal);
    write.Errors(Kind::kChannelNotDecimal, found.channelNotDecimal);
    write.Errors(Kind::kAddrTooLarge, found.addrTooLarge);
    write.Errors(Kind::kChannelTooLarge, found.channelTooLarge);
    write.Errors(Kind::kAddrNegative, found.addrNegative);
    write.Errors(Kind::kChannelNegative, found.channelNegative);
    if (!found.blankHost.empty())
        write.Error(Kind::kHostNameBlank, found.blankHost);
    for (const HostNameGroup& names : kHostNameGroups)
        write.Errors(names.kind, found.*names.group);
    if (!found.defaultHost.empty())
        write.Warning(Kind::kDefaultHost, found.defaultHost);
    for (std::size_t i = 0; i < kFireNullCount; ++i)
        if (!found.fireNulls[i].empty())
            write.Warning(Kind::kFireRecordNull, found.fireNulls[i], kFireNulls[i].field);
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

} // namespace show
