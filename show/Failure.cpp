#include "show/Failure.h"

#include "show/EnumNames.h"
#include "store/ComError.h"
#include "store/ErrorText.h"

#include <iterator>

namespace show {

namespace {

constexpr EnumName<FailureCode> kFailureCodeNames[] = {
    {FailureCode::kStoreNotOpened, "store-not-opened"},
    {FailureCode::kNoLayoutTable, "no-layout-table"},
    {FailureCode::kTableNotOpened, "table-not-opened"},
    {FailureCode::kBadField, "bad-field"},
    {FailureCode::kDatabase, "database"},
    {FailureCode::kNotAShowStore, "not-a-show-store"},
    {FailureCode::kLayoutNotShowTable, "layout-not-a-show-table"},
    {FailureCode::kHostNameEmpty, "host-name-empty"},
    {FailureCode::kHostNameTooLong, "host-name-too-long"},
    {FailureCode::kHostNameNotGbk, "host-name-not-gbk"},
    {FailureCode::kHostNameControl, "host-name-control"},
    {FailureCode::kStoreChanged, "store-changed"},
    {FailureCode::kPlanCodeOutOfRange, "plan-code-out-of-range"},
    {FailureCode::kPlanCodeTaken, "plan-code-taken"},
    {FailureCode::kPlanNameTwice, "plan-name-twice"},
    {FailureCode::kPlanAccessStore, "plan-access-store"},
    {FailureCode::kPlanNotRead, "plan-not-read"},
    {FailureCode::kPlanNotSaved, "plan-not-saved"},
    {FailureCode::kDownloadSocketNotSet, "download-socket-not-set"},
    {FailureCode::kDownloadProjectNameNotBuilt, "download-project-name-not-built"},
    {FailureCode::kDownloadProjectNameFailed, "download-project-name-failed"},
    {FailureCode::kDownloadCueNotBuilt, "download-cue-not-built"},
    {FailureCode::kDownloadCueNotSent, "download-cue-not-sent"},
    {FailureCode::kDownloadCueNotAnswered, "download-cue-not-answered"},
    {FailureCode::kDownloadCueRefused, "download-cue-refused"},
    {FailureCode::kDownloadAnsweredTwice, "download-answered-twice"},
    {FailureCode::kHostSettingNoneTicked, "host-setting-none-ticked"},
    {FailureCode::kHostSettingBadName, "host-setting-bad-name"},
    {FailureCode::kHostSettingFrameNotBuilt, "host-setting-frame-not-built"},
    {FailureCode::kHostSettingSendTimeoutNotSet, "host-setting-send-timeout-not-set"},
    {FailureCode::kHostSettingReceiveTimeoutNotSet, "host-setting-receive-timeout-not-set"},
    {FailureCode::kHostSettingFailed, "host-setting-failed"},
    {FailureCode::kHostSettingAnsweredTwice, "host-setting-answered-twice"},
    {FailureCode::kPlanUnsound, "plan-unsound"},
    {FailureCode::kPlanCodeInvalid, "plan-code-invalid"},
    {FailureCode::kPlanNameAbsent, "plan-name-absent"},
    {FailureCode::kPlanChanged, "plan-changed"},
    {FailureCode::kStoreBeingMade, "store-being-made"},
    {FailureCode::kStoreNotCreated, "store-not-created"},
    {FailureCode::kOutputIsInput, "output-is-input"},
    {FailureCode::kOutputIsDatabase, "output-is-database"},
    {FailureCode::kOutputNotRegular, "output-not-regular"},
    {FailureCode::kOutputFolderMissing, "output-folder-missing"},
    {FailureCode::kOutputNotWritten, "output-not-written"},
    {FailureCode::kSheetsNotPainted, "sheets-not-painted"},
    {FailureCode::kHostRecordsAccessStore, "host-loads-access-store"},
    {FailureCode::kHostRecordNotWritten, "host-load-not-written"},
    {FailureCode::kHostRecordsNotRead, "host-loads-not-read"},
    {FailureCode::kFireOneFieldUnreadable, "fireone-field-unreadable"},
    {FailureCode::kFireOneNotWhole, "fireone-not-whole"},
    {FailureCode::kFireOneTimeNotWhole, "fireone-time-not-whole"},
    {FailureCode::kFireOneNotRead, "fireone-not-read"},
};

// In the order of the codes, one each: the table is every code there is.
constexpr bool InCodeOrder()
{
    for (std::size_t i = 0; i < std::size(kFailureCodeNames); ++i)
        if (kFailureCodeNames[i].value != static_cast<FailureCode>(i))
            return false;
    return true;
}
static_assert(InCodeOrder(), "kFailureCodeNames lists every failure code once, in order");

} // namespace

const char* FailureCodeName(FailureCode code)
{
    return NameIn(kFailureCodeNames, code, "unknown");
}

std::vector<FailureCode> EveryFailureCode()
{
    std::vector<FailureCode> codes;
    for (const EnumName<FailureCode>& entry : kFailureCodeNames)
        codes.push_back(entry.value);
    return codes;
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
        failure.WithRecord(store::FormatComError("CADODataBase", *com)).WithOther(com->Source());
    return failure;
}

} // namespace show
