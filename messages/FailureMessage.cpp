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

// One rule a stored plan breaks, as a line of the list; any other failure
// among them as it reads alone.
std::string PlanProblemText(const show::Failure& problem)
{
    const char* name = problem.Name().c_str();
    if (problem.Code() == FailureCode::kPlanCodeInvalid)
        return strings::FormatText(strings::kPlanProblemCodeInvalid, name, problem.Other().c_str());
    if (problem.Code() == FailureCode::kPlanCodeOutOfRange)
        return strings::FormatText(strings::kPlanProblemCodeOutOfRange, name, problem.Row());
    if (problem.Code() == FailureCode::kPlanCodeTaken)
        return strings::FormatText(strings::kPlanProblemCodeTaken, problem.Row(), name,
                                   problem.Other().c_str());
    if (problem.Code() == FailureCode::kPlanNameTwice)
        return strings::FormatText(strings::kPlanProblemNameTwice, name);
    return FailureText(problem, Doing::kPlanning);
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

// A store made by the import that cannot be: with its folder when that is
// what refused it.
std::string StoreNotCreatedText(const show::Failure& failure)
{
    const std::string why =
        failure.Name().empty()
            ? failure.Detail()
            : strings::FormatText(strings::kStoreFolderNotWritable, failure.Name().c_str(),
                                  failure.Detail().c_str());
    return strings::FormatText(strings::kImportStoreNotCreated, why.c_str());
}

// A host name refused as typed (no row: a warning) or at Save (its grid row).
Message HostNameMessage(const show::Failure& failure, std::string text)
{
    return {std::move(text),
            failure.Row() == 0 ? prompt::MessageIcon::Warning : prompt::MessageIcon::Stop,
            failure.Record()};
}

// A conversation with a firing host: the text and icon its dialog has
// always shown, without a record.
Message HostMessage(const char* text, prompt::MessageIcon icon)
{
    return {text, icon, {}};
}

} // namespace

std::string FailureHeadline(Doing doing)
{
    std::string text = StoreFailureText(doing, "");
    return text.substr(0, text.find('\n'));
}

Doing SaidAs(const show::Failure& failure, Doing doing)
{
    return failure.Step().value_or(doing);
}

// One case a code, and no default: a code without its text does not compile.
Message FailureMessage(const show::Failure& failure, Doing doing)
{
    using prompt::MessageIcon;
    using strings::FormatText;
    doing = SaidAs(failure, doing);
    const int row = failure.Row();
    const char* name = failure.Name().c_str();
    const char* other = failure.Other().c_str();
    const char* detail = failure.Detail().c_str();
    // Most say one text with the stop icon and the access layer's record.
    const auto stop = [&failure](std::string text) -> Message {
        return {std::move(text), MessageIcon::Stop, failure.Record()};
    };
    switch (failure.Code()) {
    // Reading a show store.
    case FailureCode::kStoreNotOpened:
        // Opening a store shows the layer's own account alone: its
        // description, and its whole record apart, for the details.
        // An account that says nothing reads as any other store's failure.
        if (doing == Doing::kOpening && !(failure.Detail().empty() && failure.Record().empty()))
            return {failure.Detail().empty() ? failure.Record() : failure.Detail(),
                    MessageIcon::None, failure.Record()};
        return stop(StoreFailureText(doing, failure.Detail()));
    case FailureCode::kNoLayoutTable:
        return stop(doing == Doing::kSaving ? StoreFailureText(doing, strings::kNoLayoutTable)
                                            : strings::kNoLayoutTable);
    case FailureCode::kTableNotOpened:
    case FailureCode::kDatabase:
        return stop(StoreFailureText(doing, failure.Detail()));
    case FailureCode::kBadField:
        return stop(BadFieldText(failure, doing));
    case FailureCode::kNotAShowStore:
        return stop(FormatText(strings::kImportNotShowStore, name));
    case FailureCode::kLayoutNotShowTable:
        return stop(FormatText(strings::kLayoutNotShowTable, name, failure.Other().c_str()));

    // Host names as typed or saved.
    case FailureCode::kHostNameEmpty:
        return HostNameMessage(failure,
                               row > 0 ? strings::kSaveHostEmpty : strings::kAssignHostEmpty);
    case FailureCode::kHostNameTooLong:
        return HostNameMessage(
            failure, row > 0 ? FormatText(strings::kSaveHostTooLong, row, store::kHostNameMaxChars)
                             : FormatText(strings::kHostNameTooLong, store::kHostNameMaxChars));
    case FailureCode::kHostNameNotGbk:
        return HostNameMessage(
            failure, row > 0 ? FormatText(strings::kSaveHostNotGbk, row)
                             : FormatText(strings::kHostNameNotGbk,
                                          show::EscapeControlCharacters(failure.Name()).c_str()));
    case FailureCode::kHostNameControl:
        return HostNameMessage(failure, row > 0 ? FormatText(strings::kSaveHostControl, row)
                                                : strings::kAssignHostControlCharacter);
    case FailureCode::kStoreChanged:
        return stop(strings::kSaveStoreChanged);

    // Host plans.
    case FailureCode::kPlanCodeOutOfRange:
        return stop(FormatText(strings::kPlanCodeOutOfRange, row));
    case FailureCode::kPlanCodeTaken:
        return stop(FormatText(strings::kPlanCodeTaken, row, name, other));
    case FailureCode::kPlanNameTwice:
        return stop(FormatText(strings::kPlanNameTwice, name));
    case FailureCode::kPlanAccessStore:
        return stop(strings::kPlanAccessStore);
    case FailureCode::kPlanNotRead:
        return stop(FormatText(strings::kPlanReadFailed, detail));
    case FailureCode::kPlanNotSaved:
        return stop(FormatText(strings::kPlanSaveFailed, detail));
    case FailureCode::kPlanUnsound:
        return stop(PlanProblemsText(failure, doing));
    case FailureCode::kPlanCodeInvalid: // alone only in a list; said as one anyway
        return stop(PlanProblemText(failure));
    case FailureCode::kPlanNameAbsent:
        return stop(FormatText(strings::kPlanNameAbsent, name));
    case FailureCode::kPlanChanged:
        return stop(strings::kPlanChanged);

    // A download conversation.
    case FailureCode::kDownloadSocketNotSet:
        return HostMessage(strings::kSetSocketTimeoutFailed, MessageIcon::Stop);
    case FailureCode::kDownloadProjectNameNotBuilt:
        return HostMessage(strings::kBuildProjectNameFailed, MessageIcon::Stop);
    case FailureCode::kDownloadProjectNameFailed:
        return HostMessage(strings::kSetProjectNameFailed, MessageIcon::Warning);
    case FailureCode::kDownloadCueNotBuilt:
        return HostMessage(strings::kBuildCueFailed, MessageIcon::Stop);
    case FailureCode::kDownloadCueNotSent:
        return HostMessage(strings::kCueSendFailed, MessageIcon::Warning);
    case FailureCode::kDownloadCueNotAnswered:
        return HostMessage(strings::kHostEchoTimeout, MessageIcon::Warning);
    case FailureCode::kDownloadCueRefused:
        return HostMessage(strings::kCueRefused, MessageIcon::Warning);
    case FailureCode::kDownloadAnsweredTwice:
        return HostMessage(strings::kHostAnsweredTwice, MessageIcon::Warning);

    // Telling a firing host its host name.
    case FailureCode::kHostSettingNoneTicked:
        return HostMessage(strings::kHostSettingsNoneTicked, MessageIcon::Stop);
    case FailureCode::kHostSettingBadName:
        return HostMessage(strings::kHostSettingsBadName, MessageIcon::Stop);
    case FailureCode::kHostSettingFrameNotBuilt:
        return HostMessage(strings::kBuildHostNameFailed, MessageIcon::Stop);
    case FailureCode::kHostSettingSendTimeoutNotSet:
        return HostMessage(strings::kHostSettingsSendTimeoutFailed, MessageIcon::Stop);
    case FailureCode::kHostSettingReceiveTimeoutNotSet:
        return HostMessage(strings::kHostSettingsRecvTimeoutFailed, MessageIcon::Stop);
    case FailureCode::kHostSettingFailed:
        return HostMessage(strings::kHostSettingsFailed, MessageIcon::Stop);
    case FailureCode::kHostSettingAnsweredTwice:
        return HostMessage(strings::kHostSettingsAnsweredTwice, MessageIcon::Stop);

    // Making the show store of an import, and files beside it.
    case FailureCode::kStoreBeingMade:
        return stop(FormatText(strings::kImportStoreBeingMade, name));
    case FailureCode::kStoreNotCreated:
        return stop(StoreNotCreatedText(failure));
    case FailureCode::kOutputIsInput:
        return stop(FormatText(strings::kOutputIsInput, name));
    case FailureCode::kOutputIsDatabase:
        return stop(FormatText(strings::kOutputIsDatabase, name));
    case FailureCode::kOutputNotRegular:
        return stop(FormatText(strings::kOutputNotRegular, name));
    case FailureCode::kOutputFolderMissing:
        return stop(FormatText(strings::kOutputFolderMissing, name));
    case FailureCode::kOutputNotWritten:
        return stop(FormatText(strings::kOutputNotWritten, name, detail));
    case FailureCode::kSheetsNotPainted:
        return stop(FormatText(strings::kCliPdfFailed, name));

    // The records of what each host holds: a warning, the load went on.
    case FailureCode::kHostRecordsAccessStore:
        return {strings::kHostRecordsAccessStore, MessageIcon::Warning, failure.Record()};
    case FailureCode::kHostRecordNotWritten:
        return {FormatText(strings::kHostRecordNotWritten, detail), MessageIcon::Warning,
                failure.Record()};
    case FailureCode::kHostRecordsNotRead:
        return stop(FormatText(strings::kHostRecordsNotRead, detail));

    // A FireOne file or record that cannot become a show.
    case FailureCode::kFireOneFieldUnreadable:
        return stop(FormatText(strings::kImportBadField, row, name));
    case FailureCode::kFireOneNotWhole:
        return stop(FormatText(strings::kImportFractionalValue, row, name, other));
    case FailureCode::kFireOneTimeNotWhole:
        return stop(FormatText(strings::kImportFractionalTime, row, other));
    case FailureCode::kFireOneNotRead:
        return stop(FormatText(strings::kImportSourceUnreadable, detail));
    }
    return stop(failure.what()); // a code no enumerator names: a program error
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
