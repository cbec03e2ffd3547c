#pragma once

#include <exception>
#include <string>
#include <vector>

namespace show {

// What can go wrong above the database access layer, as the code knows it.
// The user's texts are made from these where they are shown (the window, the
// command line), from the string table.
enum class FailureCode
{
    // Reading a show store.
    kStoreNotOpened, // detail: the access layer's account
    kNoLayoutTable,
    kTableNotOpened, // detail
    kBadField,       // row: the record (from 1); name: the field
    kDatabase,       // detail: what the access layer raised
    kNotAShowStore,  // name: the file; it holds something else and was left alone

    // Host names as typed or saved. row: the cue row (from 1) when one is
    // concerned, 0 for a name as typed; name: the name.
    kHostNameEmpty,
    kHostNameTooLong, // more than the column's 32 characters
    kHostNameNotGbk,  // a firing host could not be given it
    kHostNameControl, // control characters

    // Saving host names.
    kStoreChanged, // another program changed the show store since it was read

    // Host plans. row: the host code; name, other: the host names.
    kPlanCodeOutOfRange,
    kPlanCodeTaken,
    kPlanNameTwice,
    kPlanAccessStore, // an Access store cannot hold a plan
    kPlanNotRead,     // detail
    kPlanNotSaved,    // detail

    // A download conversation with a firing host, by where it ended.
    kDownloadSocketNotSet, // a time-out of its socket could not be set
    kDownloadProjectNameNotBuilt,
    kDownloadProjectNameFailed, // not sent, not answered or refused
    kDownloadCueNotBuilt,       // row: the cue's place in the download, from 1
    kDownloadCueNotSent,
    kDownloadCueNotAnswered,
    kDownloadCueRefused,
    kDownloadAnsweredTwice, // an acknowledgement came that no frame asked for

    // Telling a firing host its host name, by where it ended.
    kHostSettingNoneTicked,
    kHostSettingBadName, // empty after trimming, or over 64 bytes in GBK
    kHostSettingFrameNotBuilt,
    kHostSettingSendTimeoutNotSet,
    kHostSettingReceiveTimeoutNotSet,
    kHostSettingFailed, // not sent, not answered or refused
    kHostSettingAnsweredTwice,
    // A stored host plan and changes to it.
    kPlanUnsound,     // problems: every rule the plan breaks
    kPlanCodeInvalid, // name: the host name; other: its code as stored (NULL, a text, a fraction)
    kPlanNameAbsent,  // name: a host name to take out that the plan does not hold
    kPlanChanged,     // another program changed the plan since it was read

    // Making the show store of an import.
    kStoreBeingMade,  // name: the store; another program is making it right now
    kStoreNotCreated, // name: the folder it goes into; detail: the system's reason

    // Files written besides the show store (load sheets). name: the file.
    kOutputIsInput,       // it is a file the command reads, through some path or link
    kOutputIsDatabase,    // it holds a database
    kOutputNotRegular,    // a folder, a device, a FIFO
    kOutputFolderMissing, // name: the folder
    kOutputNotWritten,    // detail: the system's reason

    // The records of what each host holds, kept in the show store.
    kHostRecordsAccessStore, // an Access store cannot hold them
    kHostRecordNotWritten,   // detail
    kHostRecordsNotRead,     // detail

    // A FireOne record that cannot become a cue. row: the record, from 1;
    // name: the field; other: the value, when it is a number with a fraction.
    kFireOneFieldUnreadable,
    kFireOneNotWhole,
};

// The one failure type of the show model and everything built on it: a code
// and the facts a message needs. `record` keeps the access layer's whole
// error record, for those who ask for details.
class Failure : public std::exception
{
public:
    explicit Failure(FailureCode code) : code_(code) {}

    FailureCode Code() const { return code_; }
    int Row() const { return row_; }
    const std::string& Name() const { return name_; }
    const std::string& Other() const { return other_; }
    const std::string& Detail() const { return detail_; }
    const std::string& Record() const { return record_; }

    Failure& WithRow(int row)
    {
        row_ = row;
        return *this;
    }
    Failure& WithName(std::string name)
    {
        name_ = std::move(name);
        return *this;
    }
    Failure& WithOther(std::string other)
    {
        other_ = std::move(other);
        return *this;
    }
    Failure& WithDetail(std::string detail)
    {
        detail_ = std::move(detail);
        return *this;
    }
    Failure& WithRecord(std::string record)
    {
        record_ = std::move(record);
        return *this;
    }
    // A failure that stands for several (the rules a plan breaks).
    const std::vector<Failure>& Problems() const { return problems_; }
    Failure& WithProblems(std::vector<Failure> problems)
    {
        problems_ = std::move(problems);
        return *this;
    }

    // For logs and test output: the code's name and the facts, in English.
    const char* what() const noexcept override;

private:
    FailureCode code_;
    int row_ = 0;
    std::string name_;
    std::string other_;
    std::string detail_;
    std::string record_;
    std::vector<Failure> problems_;
    mutable std::string what_;
};

// A short name of the code ("store-changed").
const char* FailureCodeName(FailureCode code);

// A failure of the access layer (or of memory) while working on a store, as a
// Failure with `code`; the database's own account as its detail and record.
Failure DatabaseFailure(const std::exception& error, FailureCode code = FailureCode::kDatabase);

// Runs `work` on a store and gives what it gives: a Failure passes as it is,
// anything else raised on the way becomes DatabaseFailure(error, code).
template <typename Work>
decltype(auto) StoreWork(Work&& work, FailureCode code = FailureCode::kDatabase)
{
    try {
        return work();
    } catch (const Failure&) {
        throw;
    } catch (const std::exception& error) {
        throw DatabaseFailure(error, code);
    }
}

} // namespace show
