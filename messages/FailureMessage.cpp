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

} // namespace

std::string FailureHeadline(Doing doing)
{
    std::string text = StoreFailureText(doing, "");
    return text.substr(0, text.find('\n'));
}

Message FailureMessage(const show::Failure& failure, Doing doing)
{
    Message message;
    message.details = failure.Record();
    switch (failure.Code()) {
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

void ShowFailure(prompt::Prompt& prompt, const show::Failure& failure, Doing doing)
{
    const Message message = FailureMessage(failure, doing);
    prompt.ShowMessage(message.text, message.icon);
}

} // namespace messages
