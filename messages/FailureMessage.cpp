#include "messages/FailureMessage.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "store/LayoutTable.h"

namespace messages {

namespace {

using show::FailureCode;

// "...,<what did not happen>!\n<why>": the store's failures, by activity.
// Reading a store for a host, each dialog has one word for every such failure.
std::string StoreFailureText(Doing doing, const std::string& why)
{
    switch (doing) {
    case Doing::kDownloading:
        return strings::kDatabaseException;
    case Doing::kSettingHost:
        return strings::kHostSettingsDatabaseException;
    case Doing::kChecking:
        return strings::FormatText(strings::kCheckUnreadable, why.c_str());
    case Doing::kSaving:
    case Doing::kAssigning:
        return strings::FormatText(strings::kSaveFailed, why.c_str());
    case Doing::kReadingToAssign:
        return strings::FormatText(strings::kAssignReadFailed, why.c_str());
    case Doing::kImporting:
        return strings::FormatText(strings::kImportFailed, why.c_str());
    case Doing::kPlanning:
        return strings::FormatText(strings::kPlanReadFailed, why.c_str());
    case Doing::kOpening:
        break;
    }
    return strings::FormatText(strings::kOpenFailed, why.c_str());
}

std::string BadFieldText(const show::Failure& failure, Doing doing)
{
    if (doing == Doing::kDownloading || doing == Doing::kSettingHost)
        return StoreFailureText(doing, "");
    const std::string text =
        strings::FormatText(strings::kOpenBadField, failure.Row(), failure.Name().c_str());
    return doing == Doing::kOpening ? text : StoreFailureText(doing, text);
}

// A host name refused: as typed (no row), or at Save (its grid row).
std::string HostNameText(const show::Failure& failure)
{
    const int row = failure.Row();
    const std::string shown = show::EscapeControlCharacters(failure.Name());
    switch (failure.Code()) {
    case FailureCode::kHostNameEmpty:
        return row > 0 ? strings::kSaveHostEmpty : strings::kAssignHostEmpty;
    case FailureCode::kHostNameTooLong:
        return row > 0
                   ? strings::FormatText(strings::kSaveHostTooLong, row, store::kHostNameMaxChars)
                   : strings::FormatText(strings::kHostNameTooLong, store::kHostNameMaxChars);
    case FailureCode::kHostNameNotGbk:
        return row > 0 ? strings::FormatText(strings::kSaveHostNotGbk, row)
                       : strings::FormatText(strings::kHostNameNotGbk, shown.c_str());
    case FailureCode::kHostNameControl:
        return row > 0 ? strings::FormatText(strings::kSaveHostControl, row)
                       : strings::kAssignHostControlCharacter;
    default:
        break;
    }
    return {};
}

std::string PlanText(const show::Failure& failure)
{
    switch (failure.Code()) {
    case FailureCode::kPlanCodeOutOfRange:
        return strings::FormatText(strings::kPlanCodeOutOfRange, failure.Row());
    case FailureCode::kPlanCodeTaken:
        return strings::FormatText(strings::kPlanCodeTaken, failure.Row(), failure.Name().c_str(),
                                   failure.Other().c_str());
    case FailureCode::kPlanNameTwice:
        return strings::FormatText(strings::kPlanNameTwice, failure.Name().c_str());
    case FailureCode::kPlanAccessStore:
        return strings::kPlanAccessStore;
    case FailureCode::kPlanNotRead:
        return strings::FormatText(strings::kPlanReadFailed, failure.Detail().c_str());
    case FailureCode::kPlanNotSaved:
        return strings::FormatText(strings::kPlanSaveFailed, failure.Detail().c_str());
    default:
        break;
    }
    return {};
}

// A conversation with a firing host: the texts and icons its dialog has
// always shown.
Message HostConversationMessage(FailureCode code)
{
    using prompt::MessageIcon;
    switch (code) {
    case FailureCode::kDownloadSocketNotSet:
        return {strings::kSetSocketTimeoutFailed, MessageIcon::Stop, {}};
    case FailureCode::kDownloadProjectNameNotBuilt:
        return {strings::kBuildProjectNameFailed, MessageIcon::Stop, {}};
    case FailureCode::kDownloadProjectNameFailed:
        return {strings::kSetProjectNameFailed, MessageIcon::Warning, {}};
    case FailureCode::kDownloadCueNotBuilt:
        return {strings::kBuildCueFailed, MessageIcon::Stop, {}};
    case FailureCode::kDownloadCueNotSent:
        return {strings::kCueSendFailed, MessageIcon::Warning, {}};
    case FailureCode::kDownloadCueNotAnswered:
        return {strings::kHostEchoTimeout, MessageIcon::Warning, {}};
    case FailureCode::kDownloadCueRefused:
        return {strings::kCueRefused, MessageIcon::Warning, {}};
    case FailureCode::kDownloadAnsweredTwice:
        return {strings::kHostAnsweredTwice, MessageIcon::Warning, {}};
    case FailureCode::kHostSettingNoneTicked:
        return {strings::kHostSettingsNoneTicked, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingBadName:
        return {strings::kHostSettingsBadName, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingFrameNotBuilt:
        return {strings::kBuildHostNameFailed, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingSendTimeoutNotSet:
        return {strings::kHostSettingsSendTimeoutFailed, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingReceiveTimeoutNotSet:
        return {strings::kHostSettingsRecvTimeoutFailed, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingFailed:
        return {strings::kHostSettingsFailed, MessageIcon::Stop, {}};
    case FailureCode::kHostSettingAnsweredTwice:
        return {strings::kHostSettingsAnsweredTwice, MessageIcon::Stop, {}};
    default:
        break;
    }
    return {};
}

// One rule a stored plan breaks, as a line of the list.
std::string PlanProblemText(const show::Failure& problem)
{
    switch (problem.Code()) {
    case FailureCode::kPlanCodeInvalid:
        return strings::FormatText(strings::kPlanProblemCodeInvalid, problem.Name().c_str(),
                                   problem.Other().c_str());
    case FailureCode::kPlanCodeOutOfRange:
        return strings::FormatText(strings::kPlanProblemCodeOutOfRange, problem.Name().c_str(),
                                   problem.Row());
    case FailureCode::kPlanCodeTaken:
        return strings::FormatText(strings::kPlanProblemCodeTaken, problem.Row(),
                                   problem.Name().c_str(), problem.Other().c_str());
    case FailureCode::kPlanNameTwice:
        return strings::FormatText(strings::kPlanProblemNameTwice, problem.Name().c_str());
    default:
        break;
    }
    return problem.what();
}

// Every rule the plan breaks, a line each, under a line saying what follows.
std::string PlanProblemsText(const show::Failure& failure, Doing doing)
{
    const int count = static_cast<int>(failure.Problems().size());
    std::string text = strings::FormatText(
        doing == Doing::kSaving ? strings::kPlanUnsoundNotSaved : strings::kPlanUnsound, count);
    for (const show::Failure& problem : failure.Problems())
        text += "\n" + PlanProblemText(problem);
    return text;
}

std::string FileText(const show::Failure& failure)
{
    const char* name = failure.Name().c_str();
    switch (failure.Code()) {
    case FailureCode::kStoreBeingMade:
        return strings::FormatText(strings::kImportStoreBeingMade, name);
    case FailureCode::kStoreNotCreated: // with its folder when that is what refused it
        return strings::FormatText(strings::kImportStoreNotCreated,
                                   failure.Name().empty()
                                       ? failure.Detail().c_str()
                                       : strings::FormatText(strings::kStoreFolderNotWritable, name,
                                                             failure.Detail().c_str())
                                             .c_str());
    case FailureCode::kOutputIsInput:
        return strings::FormatText(strings::kOutputIsInput, name);
    case FailureCode::kOutputIsDatabase:
        return strings::FormatText(strings::kOutputIsDatabase, name);
    case FailureCode::kOutputNotRegular:
        return strings::FormatText(strings::kOutputNotRegular, name);
    case FailureCode::kOutputFolderMissing:
        return strings::FormatText(strings::kOutputFolderMissing, name);
    case FailureCode::kOutputNotWritten:
        return strings::FormatText(strings::kOutputNotWritten, name, failure.Detail().c_str());
    default:
        break;
    }
    return {};
}

} // namespace

std::string FailureHeadline(Doing doing)
{
    std::string text = StoreFailureText(doing, "");
    return text.substr(0, text.find('\n'));
}

namespace {

// A FireOne file or record that cannot become a show: the import stops there.
std::string FireOneRecordText(const show::Failure& failure)
{
    const int record = failure.Row();
    const char* field = failure.Name().c_str();
    const char* value = failure.Other().c_str();
    switch (failure.Code()) {
    case FailureCode::kFireOneFieldUnreadable:
        return strings::FormatText(strings::kImportBadField, record, field);
    case FailureCode::kFireOneTimeNotWhole:
        return strings::FormatText(strings::kImportFractionalTime, record, value);
    case FailureCode::kFireOneNotWhole:
        return strings::FormatText(strings::kImportFractionalValue, record, field, value);
    case FailureCode::kFireOneNotRead:
        return strings::FormatText(strings::kImportSourceUnreadable, failure.Detail().c_str());
    default:
        break;
    }
    return {};
}

// The failures whose texts are made by their group's own words, the same in
// every activity: host names, plans, files, FireOne records, and the
// conversations with firing hosts.
Message GroupMessage(const show::Failure& failure)
{
    using prompt::MessageIcon;
    if (std::string text = HostNameText(failure); !text.empty())
        return {text, failure.Row() == 0 ? MessageIcon::Warning : MessageIcon::Stop,
                failure.Record()};
    for (std::string (*group)(const show::Failure&) : {PlanText, FileText, FireOneRecordText})
        if (std::string text = group(failure); !text.empty())
            return {text, MessageIcon::Stop, failure.Record()};
    return HostConversationMessage(failure.Code());
}

} // namespace

Doing SaidAs(const show::Failure& failure, Doing doing)
{
    const auto* inStep = dynamic_cast<const StepFailure*>(&failure);
    return inStep ? inStep->Step() : doing;
}

Message FailureMessage(const show::Failure& failure, Doing doing)
{
    doing = SaidAs(failure, doing);
    Message message;
    message.details = failure.Record();
    switch (failure.Code()) {
    case FailureCode::kStoreNotOpened:
        // Opening a store shows the layer's own account alone: its
        // description, and its whole record apart, for the details.
        if (doing == Doing::kOpening) {
            message.text = failure.Detail().empty() ? failure.Record() : failure.Detail();
            message.icon = prompt::MessageIcon::None;
        } else {
            message.text = StoreFailureText(doing, failure.Detail());
        }
        break;
    case FailureCode::kNoLayoutTable:
        message.text = doing == Doing::kSaving ? StoreFailureText(doing, strings::kNoLayoutTable)
                                               : strings::kNoLayoutTable;
        break;
    case FailureCode::kTableNotOpened:
    case FailureCode::kDatabase:
        message.text = StoreFailureText(doing, failure.Detail());
        break;
    case FailureCode::kBadField:
        message.text = BadFieldText(failure, doing);
        break;
    case FailureCode::kNotAShowStore:
        message.text = strings::FormatText(strings::kImportNotShowStore, failure.Name().c_str());
        break;
    case FailureCode::kStoreChanged:
        message.text = strings::kSaveStoreChanged;
        break;
    case FailureCode::kPlanUnsound:
        message.text = PlanProblemsText(failure, doing);
        break;
    case FailureCode::kPlanCodeInvalid: // alone only in a list; said as one anyway
        message.text = PlanProblemText(failure);
        break;
    case FailureCode::kPlanNameAbsent:
        message.text = strings::FormatText(strings::kPlanNameAbsent, failure.Name().c_str());
        break;
    case FailureCode::kPlanChanged:
        message.text = strings::kPlanChanged;
        break;
    case FailureCode::kHostRecordsAccessStore:
        message.text = strings::kHostRecordsAccessStore;
        message.icon = prompt::MessageIcon::Warning;
        break;
    case FailureCode::kHostRecordNotWritten:
        message.text =
            strings::FormatText(strings::kHostRecordNotWritten, failure.Detail().c_str());
        message.icon = prompt::MessageIcon::Warning;
        break;
    case FailureCode::kHostRecordsNotRead:
        message.text = strings::FormatText(strings::kHostRecordsNotRead, failure.Detail().c_str());
        break;
    default:
        return GroupMessage(failure);
    }
    return message;
}

std::string FieldHostFailureText(const show::Failure& failure)
{
    if (failure.Code() == FailureCode::kDownloadCueRefused && failure.Row() > 0)
        return strings::FormatText(strings::kCliHostRefusedCue, failure.Row());
    return FailureText(failure, Doing::kDownloading);
}

void ShowFailure(prompt::Prompt& prompt, const show::Failure& failure, Doing doing)
{
    const Message message = FailureMessage(failure, doing);
    // The record goes along as its own field, for a prompt that shows it on
    // request.
    const bool apart = message.text.find(message.details) == std::string::npos;
    prompt.ShowMessage(message.text, message.icon, apart ? message.details : std::string());
}

void ShowFailureText(prompt::Prompt& prompt, const show::Failure& failure, Doing doing)
{
    const Message message = FailureMessage(failure, doing);
    prompt.ShowMessage(message.text, message.icon);
}

} // namespace messages
