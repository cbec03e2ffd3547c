#include "show/Failure.h"

#include "store/ComError.h"
#include "store/ErrorText.h"

namespace show {

const char* FailureCodeName(FailureCode code)
{
    switch (code) {
    case FailureCode::kStoreNotOpened:
        return "store-not-opened";
    case FailureCode::kNoLayoutTable:
        return "no-layout-table";
    case FailureCode::kTableNotOpened:
        return "table-not-opened";
    case FailureCode::kBadField:
        return "bad-field";
    case FailureCode::kDatabase:
        return "database";
    case FailureCode::kNotAShowStore:
        return "not-a-show-store";
    case FailureCode::kHostNameEmpty:
        return "host-name-empty";
    case FailureCode::kHostNameTooLong:
        return "host-name-too-long";
    case FailureCode::kHostNameNotGbk:
        return "host-name-not-gbk";
    case FailureCode::kHostNameControl:
        return "host-name-control";
    case FailureCode::kStoreChanged:
        return "store-changed";
    case FailureCode::kPlanCodeOutOfRange:
        return "plan-code-out-of-range";
    case FailureCode::kPlanCodeTaken:
        return "plan-code-taken";
    case FailureCode::kPlanNameTwice:
        return "plan-name-twice";
    case FailureCode::kPlanAccessStore:
        return "plan-access-store";
    case FailureCode::kPlanNotRead:
        return "plan-not-read";
    case FailureCode::kPlanNotSaved:
        return "plan-not-saved";
    case FailureCode::kDownloadSocketNotSet:
        return "download-socket-not-set";
    case FailureCode::kDownloadProjectNameNotBuilt:
        return "download-project-name-not-built";
    case FailureCode::kDownloadProjectNameFailed:
        return "download-project-name-failed";
    case FailureCode::kDownloadCueNotBuilt:
        return "download-cue-not-built";
    case FailureCode::kDownloadCueNotSent:
        return "download-cue-not-sent";
    case FailureCode::kDownloadCueNotAnswered:
        return "download-cue-not-answered";
    case FailureCode::kDownloadCueRefused:
        return "download-cue-refused";
    case FailureCode::kDownloadAnsweredTwice:
        return "download-answered-twice";
    case FailureCode::kHostSettingNoneTicked:
        return "host-setting-none-ticked";
    case FailureCode::kHostSettingBadName:
        return "host-setting-bad-name";
    case FailureCode::kHostSettingFrameNotBuilt:
        return "host-setting-frame-not-built";
    case FailureCode::kHostSettingSendTimeoutNotSet:
        return "host-setting-send-timeout-not-set";
    case FailureCode::kHostSettingReceiveTimeoutNotSet:
        return "host-setting-receive-timeout-not-set";
    case FailureCode::kHostSettingFailed:
        return "host-setting-failed";
    case FailureCode::kHostSettingAnsweredTwice:
        return "host-setting-answered-twice";
    case FailureCode::kPlanUnsound:
        return "plan-unsound";
    case FailureCode::kPlanCodeInvalid:
        return "plan-code-invalid";
    case FailureCode::kPlanNameAbsent:
        return "plan-name-absent";
    case FailureCode::kPlanChanged:
        return "plan-changed";
    case FailureCode::kStoreBeingMade:
        return "store-being-made";
    case FailureCode::kStoreNotCreated:
        return "store-not-created";
    case FailureCode::kOutputIsInput:
        return "output-is-input";
    case FailureCode::kOutputIsDatabase:
        return "output-is-database";
    case FailureCode::kOutputNotRegular:
        return "output-not-regular";
    case FailureCode::kOutputFolderMissing:
        return "output-folder-missing";
    case FailureCode::kOutputNotWritten:
        return "output-not-written";
    case FailureCode::kHostRecordsAccessStore:
        return "host-loads-access-store";
    case FailureCode::kHostRecordNotWritten:
        return "host-load-not-written";
    case FailureCode::kHostRecordsNotRead:
        return "host-loads-not-read";
    case FailureCode::kFireOneFieldUnreadable:
        return "fireone-field-unreadable";
    case FailureCode::kFireOneNotWhole:
        return "fireone-not-whole";
    }
    return "unknown";
}

const char* Failure::what() const noexcept
{
    try {
        if (what_.empty()) {
            what_ = FailureCodeName(code_);
            if (row_ != 0)
                what_ += " " + std::to_string(row_);
            if (!name_.empty())
                what_ += " " + name_;
            if (!other_.empty())
                what_ += " " + other_;
            if (!detail_.empty())
                what_ += ": " + detail_;
            for (const Failure& problem : problems_)
                what_ += std::string("; ") + problem.what();
        }
        return what_.c_str();
    } catch (...) {
        return FailureCodeName(code_);
    }
}

Failure DatabaseFailure(const std::exception& error, FailureCode code)
{
    Failure failure(code);
    failure.WithDetail(error.what());
    if (const auto* com = dynamic_cast<const ado::_com_error*>(&error))
        failure.WithRecord(store::FormatComError("CADODataBase", *com));
    return failure;
}

} // namespace show
