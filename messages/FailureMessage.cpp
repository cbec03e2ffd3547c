#include "messages/FailureMessage.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/ControlCharacters.h"
#include "store/LayoutTable.h"

namespace messages {

namespace {

using show::FailureCode;

// "...,<what did not happen>!\n<why>": the store's failures, by activity.
std::string StoreFailureText(Doing doing, const std::string& why)
{
    switch (doing) {
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
    }
    return message;
}

void ShowFailure(prompt::Prompt& prompt, const show::Failure& failure, Doing doing)
{
    const Message message = FailureMessage(failure, doing);
    prompt.ShowMessage(message.text, message.icon);
}

} // namespace messages
