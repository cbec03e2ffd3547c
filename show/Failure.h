#pragma once

#include <exception>
#include <optional>
#include <string>
#include <utility>
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
    kTableNotOpened,     // detail
    kBadField,           // row: the record (from 1); name: the field
    kDatabase,           // detail: what the access layer raised; other: its source (the engine)
    kNotAShowStore,      // name: the file; it holds something else and was left alone
    kLayoutNotShowTable, // name: the file; other: the show table's columns its tb_Layout lacks

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
    kStoreNotCreated, // detail: the reason; name: the folder, when it refused it

    // Files written besides the show store (load sheets). name: the file.
    kOutputIsInput,       // it is a file the command reads, through some path or link
    kOutputIsDatabase,    // it holds a database
    kOutputNotRegular,    // a folder, a device, a FIFO
    kOutputFolderMissing, // name: the folder
    kOutputNotWritten,    // detail: the system's reason
    kSheetsNotPainted,    // the load sheets could not be drawn into it

    // The records of what each host holds, kept in the show store.
    kHostRecordsAccessStore, // an Access store cannot hold them
    kHostRecordNotWritten,   // detail
    kHostRecordsNotRead,     // detail

    // A FireOne record that cannot become a cue. row: the record, from 1;
    // name: the field; other: the value, when it is a number with a fraction.
    kFireOneFieldUnreadable,
    kFireOneNotWhole,
    kFireOneTimeNotWhole, // the same for LaunchTimeMS, which the message names apart
    kFireOneNotRead,      // detail: why the FireOne file's FireData cannot be read
};

// What the user was doing: the same failure reads differently in each ("the
// show has not been loaded!", "fire data have not saved!"), and a step of a
// command may read as another activity (the FireOne import opens its file as
// Open does).
enum class Doing
{
    kOpening,         // opening a show store, or reading one to show or print it
    kChecking,        // the show check of a store
    kSaving,          // Save, or a command that saves
    kAssigning,       // a host name as typed
    kReadingToAssign, // reading a show store to give its cues a host name and save them
    kImporting,       // the FireOne import
    kPlanning,        // the host plan
    kDownloading,     // reading a show store to send it to firing hosts
    kSettingHost,     // reading a show store's host names for the Host Settings dialog
};

// The one failure type of the show model and everything built on it: a code
// and the facts a message needs. `record` keeps the access layer's whole
// error record, for those who ask for details.
//
// Failures travel two ways, and only two. Store work and commands throw a
// Failure: the first failure ends the work, and the command that started it
// shows it (through messages/) once. A conversation with a firing host gives
// a result value that carries its Failure instead: each host reports apart,
// so that one host's failure never ends another's conversation. Nothing else
// (an optional Failure, a status saying "the user was told", another
// exception type) stands for a failure above the access layer.
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

    Failure& WithRow(int row) { return With(row_, row); }
    Failure& WithName(std::string name) { return With(name_, std::move(name)); }
    Failure& WithOther(std::string other) { return With(other_, std::move(other)); }
    Failure& WithDetail(std::string detail) { return With(detail_, std::move(detail)); }
    Failure& WithRecord(std::string record) { return With(record_, std::move(record)); }
    // A failure that stands for several (the rules a plan breaks).
    const std::vector<Failure>& Problems() const { return problems_; }
    Failure& WithProblems(std::vector<Failure> problems)
    {
        return With(problems_, std::move(problems));
    }
    // The step of a command it was met in, when that step reads as another
    // activity than the command's own (messages::InStep sets it).
    const std::optional<Doing>& Step() const { return step_; }
    Failure& WithStep(Doing step) { return With(step_, std::optional(step)); }

    // For logs and test output: the code's name and the facts, in English.
    const char* what() const noexcept override;

private:
    // Sets one fact and gives the failure back, so that facts chain.
    template <typename Field, typename Value> Failure& With(Field& field, Value&& value)
    {
        field = std::forward<Value>(value);
        return *this;
    }

    FailureCode code_;
    int row_ = 0;
    std::string name_;
    std::string other_;
    std::string detail_;
    std::string record_;
    std::vector<Failure> problems_;
    std::optional<Doing> step_;
    mutable std::string what_;
};

// A short name of the code ("store-changed").
const char* FailureCodeName(FailureCode code);
// Every code, in order.
std::vector<FailureCode> EveryFailureCode();

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
