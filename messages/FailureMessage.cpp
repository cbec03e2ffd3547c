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
    case Doing::kLoading:
        break;
    }
    return strings::FormatText(strings::kLoadFailed, why.c_str());
}

std::string BadFieldText(const show::Failure& failure, Doing doing)
{
    if (doing == Doing::kDownloading || doing == Doing::kSettingHost)
        return StoreFailureText(doing, "");
    const std::string text =
        strings::FormatText(strings::kLoadBadField, failure.Row(), failure.Name().c_str());
    return doing == Doing::kLoading ? text : StoreFailureText(doing, text);
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
    case FailureCode::kStoreNotCreated:
        return strings::FormatText(
            strings::kImportStoreNotCreated,
            strings::FormatText(strings::kStoreFolderNotWritable, name, failure.Detail().c_str())
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

// A FireOne record that cannot become a cue: the import stops there.
std::string FireOneRecordText(const show::Failure& failure)
{
    if (failure.Code() == FailureCode::kFireOneFieldUnreadable)
        return strings::FormatText(strings::kImportBadField, failure.Row(), failure.Name().c_str());
    if (failure.Name() == "LaunchTimeMS")
        return strings::FormatText(strings::kImportFractionalTime, failure.Row(),
                                   failure.Other().c_str());
    return strings::FormatText(strings::kImportFractionalValue, failure.Row(),
                               failure.Name().c_str(), failure.Other().c_str());
}

Message FailureMessage(const show::Failure& failure, Doing doing)
{
    Message message;
    message.details = failure.Record();
    switch (failure.Code()) {
    case FailureCode::kFireOneFieldUnreadable:
    case FailureCode::kFireOneNotWhole:
        message.text = FireOneRecordText(failure);
        break;
    case FailureCode::kStoreNotOpened:
        // Opening a store shows the layer's own record, as it stands.
        if (doing == Doing::kLoading) {
            message.text = failure.Record().empty() ? failure.Detail() : failure.Record();
            message.icon = prompt::MessageIcon::None;
            message.details.clear();
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
    case FailureCode::kHostNameEmpty:
    case FailureCode::kHostNameTooLong:
    case FailureCode::kHostNameNotGbk:
    case FailureCode::kHostNameControl:
        message.text = HostNameText(failure);
        if (failure.Row() == 0)
            message.icon = prompt::MessageIcon::Warning;
        break;
    case FailureCode::kStoreChanged:
        message.text = strings::kSaveStoreChanged;
        break;
    case FailureCode::kPlanCodeOutOfRange:
    case FailureCode::kPlanCodeTaken:
    case FailureCode::kPlanNameTwice:
    case FailureCode::kPlanAccessStore:
    case FailureCode::kPlanNotRead:
    case FailureCode::kPlanNotSaved:
        message.text = PlanText(failure);
        break;
    case FailureCode::kDownloadSocketNotSet:
    case FailureCode::kDownloadProjectNameNotBuilt:
    case FailureCode::kDownloadProjectNameFailed:
    case FailureCode::kDownloadCueNotBuilt:
    case FailureCode::kDownloadCueNotSent:
    case FailureCode::kDownloadCueNotAnswered:
    case FailureCode::kDownloadCueRefused:
    case FailureCode::kDownloadAnsweredTwice:
    case FailureCode::kHostSettingNoneTicked:
    case FailureCode::kHostSettingBadName:
    case FailureCode::kHostSettingFrameNotBuilt:
    case FailureCode::kHostSettingSendTimeoutNotSet:
    case FailureCode::kHostSettingReceiveTimeoutNotSet:
    case FailureCode::kHostSettingFailed:
    case FailureCode::kHostSettingAnsweredTwice:
        message = HostConversationMessage(failure.Code());
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
    case FailureCode::kStoreBeingMade:
    case FailureCode::kStoreNotCreated:
    case FailureCode::kOutputIsInput:
    case FailureCode::kOutputIsDatabase:
    case FailureCode::kOutputNotRegular:
    case FailureCode::kOutputFolderMissing:
    case FailureCode::kOutputNotWritten:
        message.text = FileText(failure);
        break;
    case FailureCode::kHostLoadsAccessStore:
        message.text = strings::kHostLoadsAccessStore;
        message.icon = prompt::MessageIcon::Warning;
        break;
    case FailureCode::kHostLoadNotWritten:
        message.text = strings::FormatText(strings::kHostLoadNotWritten, failure.Detail().c_str());
        message.icon = prompt::MessageIcon::Warning;
        break;
    case FailureCode::kHostLoadsNotRead:
        message.text = strings::FormatText(strings::kHostLoadsNotRead, failure.Detail().c_str());
        break;
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
    // The record goes along, for a prompt that shows it on request.
    const bool withRecord =
        !message.details.empty() && message.text.find(message.details) == std::string::npos;
    prompt.ShowMessage(withRecord ? message.text + "\n" + message.details : message.text,
                       message.icon);
}

void ShowFailureText(prompt::Prompt& prompt, const show::Failure& failure, Doing doing)
{
    const Message message = FailureMessage(failure, doing);
    prompt.ShowMessage(message.text, message.icon);
}

} // namespace messages
