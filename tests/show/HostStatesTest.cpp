// What each host holds, worked out from the records of its conversations;
// and the records' round trip through a show store.
#include "show/HostStates.h"

#include "tests/support/RaisedFailure.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using show::HostState;
using store::HostRecord;

constexpr char kShowNow[] = "00000000000000aa";
constexpr char kOlderShow[] = "00000000000000bb";

HostRecord Named(int code, const std::string& name, bool completed = true)
{
    HostRecord record;
    record.HostCode = code;
    record.Address = "192.168.10." + std::to_string(code);
    record.Port = 10061;
    record.AtField = true;
    record.Sent = store::kSentHostName;
    record.HostName = name;
    record.Frames = 1;
    record.Acknowledged = completed ? 1 : 0;
    record.Outcome = completed ? store::kOutcomeCompleted : store::kOutcomeFailed;
    record.FailedAtFrame = completed ? 0 : 1;
    record.LoadedAt = "2026-05-04T18:30:0" + std::to_string(code % 10) + "Z";
    return record;
}

HostRecord Loaded(int code, const std::string& digest, int acknowledged = 11)
{
    HostRecord record = Named(code, "");
    record.Sent = store::kSentShow;
    record.HostName.clear();
    record.Digest = digest;
    record.Frames = 11;
    record.Acknowledged = acknowledged;
    const bool completed = acknowledged == record.Frames;
    record.Outcome = completed ? store::kOutcomeCompleted : store::kOutcomeFailed;
    record.FailedAtFrame = completed ? 0 : acknowledged + 1;
    return record;
}

HostRecord Rehearsed(HostRecord record)
{
    record.Address = "127.0.0.1";
    record.AtField = false;
    return record;
}

show::PlannedHostState StateOf(const std::vector<HostRecord>& records,
                               const std::optional<std::string>& digest = kShowNow)
{
    const std::vector<show::PlannedHostState> states =
        show::WorkOutHostStates({{"North", 5}, {"South", 6}}, records, digest);
    EXPECT_EQ(states.size(), 2u);
    return states.at(0);
}

TEST(HostStates, NothingAtTheFieldAddressIsNever)
{
    const show::PlannedHostState status =
        StateOf({Rehearsed(Named(5, "North")), Rehearsed(Loaded(5, kShowNow)), Named(6, "South")});
    EXPECT_EQ(status.state, HostState::kNever) << "rehearsals and other codes do not count";
    EXPECT_EQ(status.loadedAt, "");
    EXPECT_EQ(show::HostStateText(status), "never");
}

TEST(HostStates, CurrentNeedsThePlansNameAndTheShowAsItIsNowInEitherOrder)
{
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kShowNow)}).state, HostState::kCurrent);
    EXPECT_EQ(StateOf({Loaded(5, kShowNow), Named(5, "North")}).state, HostState::kCurrent);
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kShowNow)}).loadedAt, "2026-05-04T18:30:05Z");

    EXPECT_EQ(StateOf({Named(5, "North")}).state, HostState::kChanged) << "no show";
    EXPECT_EQ(StateOf({Loaded(5, kShowNow)}).state, HostState::kChanged) << "no name";
    EXPECT_EQ(StateOf({Named(5, "South"), Loaded(5, kShowNow)}).state, HostState::kChanged);
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kOlderShow)}).state, HostState::kChanged);
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kShowNow)}, std::nullopt).state,
              HostState::kChanged)
        << "a show that cannot be sent is held by no host";
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kOlderShow), Named(5, "South"),
                       Named(5, "North"), Loaded(5, kShowNow)})
                  .state,
              HostState::kCurrent)
        << "the last of each counts";
}

TEST(HostStates, ALastConversationThatFailedSaysAtWhichFrame)
{
    const show::PlannedHostState status = StateOf({Named(5, "North"), Loaded(5, kShowNow, 5)});
    EXPECT_EQ(status.state, HostState::kFailed);
    EXPECT_EQ(status.failedAtFrame, 6);
    EXPECT_EQ(status.frames, 11);
    EXPECT_EQ(show::HostStateText(status), "failed at frame 6 of 11");

    HostRecord stopped = Loaded(5, kShowNow, 3);
    stopped.Outcome = store::kOutcomeCancelled;
    EXPECT_EQ(StateOf({Named(5, "North"), stopped}).state, HostState::kFailed);
    EXPECT_EQ(StateOf({Named(5, "North", false)}).state, HostState::kFailed);
    EXPECT_EQ(StateOf({Named(5, "North"), Loaded(5, kShowNow, 3), Loaded(5, kShowNow)}).state,
              HostState::kCurrent)
        << "a later load mends it";
    EXPECT_EQ(StateOf({Named(5, "North", false), Loaded(5, kShowNow)}).state, HostState::kChanged)
        << "the name it holds after a failed setting is unknown";
}

// A host that answered more often than it was sent frames: nothing it
// answered counts, its name's conversation included when a show came after.
TEST(HostRecords, AHostThatAnsweredTooOftenIsFailedUntilLoadedAgain)
{
    HostRecord twice = Named(5, "North", false);
    twice.Failure = "host-setting-answered-twice";
    twice.FailedAtFrame = 0;
    const show::PlannedHostState status = StateOf({twice, Loaded(5, kShowNow)});
    EXPECT_EQ(status.state, HostState::kFailed);
    EXPECT_TRUE(status.ambiguous);
    EXPECT_EQ(show::HostStateText(status), "failed: answered more often than it was sent frames");
    HostRecord shown = Loaded(5, kShowNow, 10);
    shown.Failure = "download-answered-twice";
    EXPECT_TRUE(StateOf({Named(5, "North"), shown, Named(5, "North")}).ambiguous);
    EXPECT_EQ(StateOf({twice, Named(5, "North"), Loaded(5, kShowNow)}).state, HostState::kCurrent);
}

TEST(HostRecords, RecordsAreKeptInTheStoreInTheOrderWritten)
{
    testsupport::TempDir dir;
    const std::string store = testsupport::MakeSqliteFile(
        dir.File("show.db"), "CREATE TABLE tb_Layout(FlowID int not null, HostName text)");
    EXPECT_TRUE(show::ReadHostRecords(store).empty()) << "no table: no record";
    const std::vector<HostRecord> written = {Named(5, "北岸-1"), Loaded(5, kShowNow, 4),
                                             Rehearsed(Loaded(6, kOlderShow))};
    for (const HostRecord& record : written)
        EXPECT_NO_THROW(show::WriteHostRecord(store, record));
    EXPECT_EQ(show::ReadHostRecords(store), written);

    // Another program's table, without the NOT NULL rules.
    testsupport::RunSql(store, "DROP TABLE tb_HostLoads");
    testsupport::RunSql(store, "CREATE TABLE tb_HostLoads(HostCode int, Address text, Port int, "
                               "AtField int, Sent text, HostName text, Digest text, Frames int, "
                               "Acknowledged int, Outcome text, FailedAtFrame int, Failure text, "
                               "LoadedAt text)");
    testsupport::RunSql(store, "INSERT INTO tb_HostLoads VALUES (5, '192.168.10.5', 10061, 1, "
                               "'show', NULL, 'aa', NULL, 3, 'failed', 4, NULL, 'now')");
    const std::optional<show::Failure> failure =
        testsupport::RaisedFailure([&store] { show::ReadHostRecords(store); },
                                   "a record made elsewhere with a NULL count was read");
    if (failure) {
        EXPECT_EQ(failure->Code(), show::FailureCode::kHostRecordsNotRead);
    }
}

HostRecord Begun(HostRecord record, const std::string& key)
{
    record.Outcome = store::kOutcomeBegun;
    record.Acknowledged = 0;
    record.Digest.clear();
    record.FailedAtFrame = record.Frames == 1 ? 1 : 0;
    record.Conversation = key;
    return record;
}

// A conversation is recorded as begun before its first frame and its record
// completed in place when it ends; one that never ended (its program was
// killed) leaves its host failed, in a table made before the key column too.
TEST(HostRecords, ABegunRecordIsCompletedInPlaceOrLeavesItsHostStopped)
{
    testsupport::TempDir dir;
    const std::string store = testsupport::MakeSqliteFile(
        dir.File("show.db"), "CREATE TABLE tb_Layout(FlowID int not null, HostName text)");
    EXPECT_NO_THROW(show::WriteHostRecord(store, Named(5, "North")));
    testsupport::RunSql(store, "ALTER TABLE tb_HostLoads DROP COLUMN Conversation"); // older table
    EXPECT_NO_THROW(show::WriteHostRecord(store, Begun(Loaded(5, kShowNow), "k1")));
    EXPECT_NO_THROW(show::WriteHostRecord(store, Begun(Named(6, "South"), "k2")));
    HostRecord ended = Loaded(5, kShowNow);
    ended.Conversation = "k1";
    EXPECT_NO_THROW(show::WriteHostRecord(store, ended));
    EXPECT_EQ(show::ReadHostRecords(store),
              (std::vector<HostRecord>{Named(5, "North"), ended, Begun(Named(6, "South"), "k2")}));
    EXPECT_EQ(StateOf(show::ReadHostRecords(store)).state, HostState::kCurrent);

    const std::vector<show::PlannedHostState> states = show::WorkOutHostStates(
        {{"North", 5}, {"South", 6}},
        {Named(5, "North"), Begun(Loaded(5, kShowNow), "k3"), Begun(Named(6, "South"), "k4")},
        kShowNow);
    EXPECT_EQ(states[0].state, HostState::kFailed);
    EXPECT_EQ(show::HostStateText(states[0]), "stopped before its end");
    EXPECT_EQ(show::HostStateText(states[1]), "stopped at frame 1 of 1");
}

// Each write keeps the last 1000 conversations and, however old, the records
// each host's state comes from; an older name of a host goes.
TEST(HostRecords, WritingKeepsTheLastThousandAndWhatEachHostsStateComesFrom)
{
    testsupport::TempDir dir;
    const std::string store = testsupport::MakeSqliteFile(
        dir.File("show.db"), "CREATE TABLE tb_Layout(FlowID int not null, HostName text)");
    for (const HostRecord& record :
         {Named(5, "Old"), Named(5, "North"), Loaded(5, kShowNow), Named(6, "South")})
        ASSERT_NO_THROW(show::WriteHostRecord(store, record));
    testsupport::RunSql(
        store, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
               "INSERT INTO tb_HostLoads SELECT 5, '127.0.0.1', 4000, 0, 'show', NULL, 'cc', 2, "
               "2, 'completed', 0, NULL, 'then', NULL FROM n");
    const std::vector<show::PlannedHostState> before = show::WorkOutHostStates(
        {{"North", 5}, {"South", 6}}, show::ReadHostRecords(store), kShowNow);

    ASSERT_NO_THROW(show::WriteHostRecord(store, Loaded(6, kOlderShow)));
    const std::vector<HostRecord> records = show::ReadHostRecords(store);
    ASSERT_EQ(records.size(), 1003u) << "the older name and the oldest rehearsal went";
    EXPECT_EQ(records[0], Named(5, "North"));
    EXPECT_EQ(records[1], Loaded(5, kShowNow));
    EXPECT_EQ(records[2], Named(6, "South"));
    EXPECT_FALSE(records[3].AtField);
    EXPECT_EQ(records.back(), Loaded(6, kOlderShow));
    const std::vector<show::PlannedHostState> after =
        show::WorkOutHostStates({{"North", 5}, {"South", 6}}, records, kShowNow);
    EXPECT_EQ(after[0].state, before[0].state);
    EXPECT_EQ(after[0].state, HostState::kCurrent);
    EXPECT_EQ(after[1].state, HostState::kChanged);
}

TEST(HostRecords, ARecordThatCannotBeWrittenRaisesItsFailure)
{
    testsupport::TempDir dir;
    const std::optional<show::Failure> failure = testsupport::RaisedFailure(
        [&dir] { show::WriteHostRecord(dir.File("missing.db"), Named(5, "North")); },
        "a record was written into a missing store");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Code(), show::FailureCode::kHostRecordNotWritten);
    EXPECT_EQ(show::UtcTimestamp(std::chrono::system_clock::time_point{}), "1970-01-01T00:00:00Z");
}

} // namespace
