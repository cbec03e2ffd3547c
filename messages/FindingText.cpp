#include "messages/FindingText.h"

#include "platform/Gbk.h"
#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "show/DecimalValue.h"
#include "show/HostNameRules.h"
#include "store/LayoutTable.h"

#include <string_view>

namespace messages {

namespace {

using Kind = show::FindingKind;
using strings::FormatText;

// The FireOne field a cue came from with NULL in it.
const char* FireNullText(std::string_view field)
{
    if (field == "LaunchTimeMS")
        return strings::kCheckFireNoLaunchTime;
    if (field == "Slat")
        return strings::kCheckFireNoModule;
    if (field == "Cue")
        return strings::kCheckFireNoCueNumber;
    return strings::kCheckFireNoEvent;
}

std::string NotDecimalText(const char* caption, const std::string& text)
{
    return FormatText(strings::kCheckNotDecimal, caption, text.c_str(),
                      show::DecimalValue(text).value_or(0));
}

} // namespace

// One case a kind, and no default: a kind without its text does not compile.
std::string FindingText(const show::ShowFinding& finding)
{
    const char* subject = finding.subject.c_str();
    switch (finding.kind) {
    case Kind::kEmptyShow:
        return strings::kCheckEmptyShow;
    case Kind::kSharedFiringPoint:
        return FormatText(strings::kCheckSharedFiringPoint, subject, finding.module,
                          finding.channel, static_cast<int>(finding.sequences.size()));
    case Kind::kNegativeLaunchTime:
        return strings::kCheckNegativeTime;
    case Kind::kAddrNotDecimal:
        return NotDecimalText(strings::kColSla, finding.subject);
    case Kind::kChannelNotDecimal:
        return NotDecimalText(strings::kColCue, finding.subject);
    case Kind::kAddrTooLarge:
        return FormatText(strings::kCheckNumberTooLarge, strings::kColSla, subject);
    case Kind::kChannelTooLarge:
        return FormatText(strings::kCheckNumberTooLarge, strings::kColCue, subject);
    case Kind::kAddrNegative:
        return FormatText(strings::kCheckNegativeNumber, strings::kColSla, subject);
    case Kind::kChannelNegative:
        return FormatText(strings::kCheckNegativeNumber, strings::kColCue, subject);
    case Kind::kHostNameBlank:
        return strings::kCheckHostBlank;
    case Kind::kHostNameControl:
        return FormatText(strings::kCheckHostControl,
                          show::EscapeControlCharacters(finding.subject).c_str());
    case Kind::kHostNameNotGbk:
        return FormatText(strings::kCheckHostNotGbk, subject);
    case Kind::kHostNameTooLong:
        return FormatText(
            strings::kCheckHostTooLong, subject,
            static_cast<int>(platform::Utf8ToGbk(finding.subject).value_or("").size()),
            static_cast<int>(show::kHostNameMaxBytes));
    case Kind::kHostNameTooWide:
        return FormatText(strings::kCheckHostTooWide, subject, store::kHostNameMaxChars);
    case Kind::kDefaultHost:
        return FormatText(strings::kCheckDefaultHost, store::kDefaultHostName);
    case Kind::kNullField:
        return finding.subject == "HostName" ? std::string(strings::kCheckNullHostName)
                                             : FormatText(strings::kCheckNullNumber, subject);
    case Kind::kFireRecordNull:
        return FireNullText(finding.subject);
    }
    return show::FindingKindName(finding.kind);
}

const char* SeverityText(show::FindingSeverity severity)
{
    return severity == show::FindingSeverity::kError ? strings::kCheckError
                                                     : strings::kCheckWarning;
}

} // namespace messages
