#include "tests/hostlink/HostlinkTestSupport.h"

#include "hostlink/FrameDigest.h"
#include "hostlink/Frames.h"
#include "hostlink/HostLinkSocket.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/RecordedConversations.h"
#include "messages/FailureMessage.h"
#include "show/Cue.h"
#include "show/HostStates.h"
#include "store/LayoutTable.h"
#include "store/SqlQuoting.h"
#include "tests/hostlink/PassThroughLink.h"
#include "tests/support/RaisedFailure.h"
#include "tools/virtual-host/FrameDecoder.h"
#include "tools/virtual-host/NetworkIsolation.h"
#include "tools/virtual-host/PositionSequence.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace hostlinktest {

bool InsideIsolatedNetwork(const char* program)
{
    if (hostlink::OnlyLoopbackInterfaces())
        return true;
    std::fprintf(stderr,
                 "%s: this network has interfaces other than loopback; it runs only inside "
                 "isolated-net, nothing was sent\n",
                 program);
    return false;
}

int RunTestsInsideIsolatedNetwork(int argc, char** argv, const char* program)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!InsideIsolatedNetwork(program))
        return 1;
    return RUN_ALL_TESTS();
}

namespace {

std::string SqlText(const std::optional<std::string>& text)
{
    return text ? store::QuoteText(*text) : "NULL";
}

class FailingSendLink final : public PassThroughLink
{
public:
    FailingSendLink(const hostlink::HostLinkOptions& options, int failingSend, LinkLog& log)
        : PassThroughLink(options), failingSend_(failingSend), log_(log)
    {
    }
    bool Send(std::span<const std::uint8_t> frame) override
    {
        if (++log_.sends == failingSend_)
            return false;
        return PassThroughLink::Send(frame);
    }
    void Close() override
    {
        ++log_.closes;
        PassThroughLink::Close();
    }

private:
    int failingSend_;
    LinkLog& log_;
};

} // namespace

std::string MakeShowStore(const testsupport::TempDir& dir, const std::vector<StoreRow>& rows,
                          const std::string& name)
{
    const std::string path = dir.File(name);
    testsupport::MakeEmptySqliteFile(path);
    testsupport::RunSql(path, store::kCreateLayoutTableSql);
    // A few hundred rows a statement: one transaction each, not one a row
    // (under wine a transaction costs milliseconds).
    constexpr std::size_t kRowsAStatement = 400;
    for (std::size_t first = 0; first < rows.size(); first += kRowsAStatement) {
        std::string sql = "INSERT INTO tb_Layout VALUES";
        for (std::size_t i = first; i < std::min(rows.size(), first + kRowsAStatement); ++i) {
            const StoreRow& row = rows[i];
            sql += std::string(i == first ? "" : ",") + "(" + std::to_string(row.FlowID) + "," +
                   SqlText(row.HostName) + ",1," + std::to_string(row.BlastTime) + "," +
                   SqlText(row.Addr) + "," + SqlText(row.Channel) + "," +
                   std::to_string(row.CDCode) + "," + std::to_string(row.Sector) + ")";
        }
        testsupport::RunSql(path, sql);
    }
    return path;
}

std::vector<StoreRow> NumberedRows(int count)
{
    std::vector<StoreRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({.FlowID = i, .BlastTime = 1000 * i, .CDCode = i});
    return rows;
}

std::vector<StoreRow> NumberedRows(int count, const std::function<std::string(int flowId)>& hostOf)
{
    std::vector<StoreRow> rows = NumberedRows(count);
    for (StoreRow& row : rows)
        row.HostName = hostOf(row.FlowID);
    return rows;
}

hostlink::HostLinkOptions LoopbackOptions(std::uint16_t port,
                                          std::chrono::milliseconds receiveTimeout,
                                          const std::string& pattern)
{
    EXPECT_EQ(pattern.rfind("127.", 0), 0u) << "tests talk to loopback only";
    hostlink::HostLinkOptions options;
    options.addressPattern = pattern.rfind("127.", 0) == 0 ? pattern : "127.0.0.1";
    options.port = port;
    options.sendTimeout = 1000ms;
    options.receiveTimeout = receiveTimeout;
    // The virtual host answers within a millisecond on loopback; the tests of
    // late answers ask for the field's own end wait.
    options.endWait = 200ms;
    return options;
}

std::unique_ptr<hostlink::VirtualFiringHost> StartHost(hostlink::VirtualHostOptions options)
{
    options.port = 0;
    auto host = std::make_unique<hostlink::VirtualFiringHost>(options);
    std::string error;
    EXPECT_TRUE(host->Start(error)) << error;
    return host;
}

ShownFailure Shown(const hostlink::ConversationResult& result)
{
    EXPECT_EQ(result.status, hostlink::ConversationResult::kFailed);
    if (!result.failure) {
        ADD_FAILURE() << "no failure";
        return {};
    }
    const messages::Message message =
        messages::FailureMessage(*result.failure, messages::Doing::kDownloading);
    return {message.text, message.icon};
}

void ExpectStopShown(const std::function<void()>& read, messages::Doing doing,
                     const std::string& text)
{
    const std::optional<show::Failure> failure = testsupport::RaisedFailure(read, "it was read");
    if (!failure)
        return;
    const messages::Message message = messages::FailureMessage(*failure, doing);
    EXPECT_EQ(message.text, text) << failure->what();
    EXPECT_EQ(message.icon, prompt::MessageIcon::Stop);
}

hostlink::HostLinkMaker FailingSendMaker(int failingSend, LinkLog& log)
{
    return [failingSend, &log](const hostlink::HostLinkOptions& options) {
        return std::make_unique<FailingSendLink>(options, failingSend, log);
    };
}

std::vector<hostlink::HostFrameRecord> FramesOfKind(const hostlink::VirtualFiringHost& host,
                                                    hostlink::DecodedFrame::Kind kind)
{
    std::vector<hostlink::HostFrameRecord> frames;
    for (hostlink::HostFrameRecord& record : host.Records())
        if (record.frame.kind == kind)
            frames.push_back(std::move(record));
    return frames;
}

std::vector<show::Cue> FieldCues(int count, const std::vector<std::string>& names)
{
    std::vector<show::Cue> cues;
    for (int i = 0; i < count; ++i) {
        show::Cue cue;
        cue.HostName = names[static_cast<std::size_t>(i) % names.size()];
        cue.BlastTime = 100 * i;
        cue.Addr = std::to_string(1 + i % 5);
        cue.Channel = std::to_string(i % 16);
        cue.CDCode = i;
        cue.Sector = i % 7;
        cues.push_back(cue);
    }
    return cues;
}

void ExpectNamedAndLoaded(const hostlink::VirtualFiringHost& host, const std::string& name,
                          const std::vector<show::Cue>& cues)
{
    using hostlink::DecodedFrame;
    const auto same = [](const DecodedFrame& a, const DecodedFrame& b) {
        return std::tie(a.kind, a.size, a.name, a.position, a.CDCode, a.reserved, a.Sector,
                        a.BlastTime, a.Addr, a.Channel) ==
               std::tie(b.kind, b.size, b.name, b.position, b.CDCode, b.reserved, b.Sector,
                        b.BlastTime, b.Addr, b.Channel);
    };
    const std::vector<hostlink::HostFrameRecord> records = host.Records();
    ASSERT_EQ(records.size(), cues.size() + 2) << name;
    hostlink::HostNameFrame hostName;
    ASSERT_TRUE(hostlink::BuildHostNameFrame(name, hostName));
    EXPECT_TRUE(same(records[0].frame, hostlink::DecodeFrame(hostName.bytes))) << name;
    hostlink::ProjectNameFrame project;
    ASSERT_TRUE(hostlink::BuildProjectNameFrame(hostlink::kProjectName, project));
    EXPECT_TRUE(same(records[1].frame, hostlink::DecodeFrame(project.bytes))) << name;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        hostlink::CueFrame cue;
        ASSERT_TRUE(hostlink::BuildCueFrame(cues[i], hostlink::PositionOf(i, cues.size()), cue));
        EXPECT_TRUE(same(records[i + 2].frame, hostlink::DecodeFrame(cue.bytes)))
            << name << " cue " << i;
    }
}

namespace {

// Writes the records of a field load at host `code`'s own address whose show
// conversation ended as `loaded` says.
void RecordAtField(const std::string& store, int code, const std::string& name,
                   const hostlink::DownloadResult& loaded)
{
    const hostlink::HostConversation host{.hostCode = code}; // the field's own address
    ASSERT_TRUE(hostlink::AtFieldAddress(host.link, code));
    EXPECT_NO_THROW(show::WriteHostRecord(store, hostlink::NameRecord(host, name, {})));
    EXPECT_NO_THROW(show::WriteHostRecord(store, hostlink::ShowRecord(host, loaded)));
}

} // namespace

void RecordFieldLoad(const std::string& store, int code, const std::string& name)
{
    const std::vector<show::Cue> cues = hostlink::ReadDownloadCues(store);
    hostlink::DownloadResult loaded;
    loaded.acknowledged = cues.size();
    loaded.frames = loaded.framesAcknowledged = cues.size() + 1;
    loaded.digest = hostlink::ShowDigest(cues).value_or("");
    RecordAtField(store, code, name, loaded);
}

void RecordFailedFieldLoad(const std::string& store, int code, const std::string& name,
                           int acknowledged)
{
    hostlink::DownloadResult loaded;
    loaded.status = hostlink::ConversationResult::kFailed;
    loaded.failure = show::Failure(show::FailureCode::kDownloadCueRefused);
    loaded.frames = hostlink::ReadDownloadCues(store).size() + 1;
    loaded.framesAcknowledged = static_cast<std::size_t>(acknowledged);
    loaded.digest = "0123456789abcdef"; // of a part of the show
    RecordAtField(store, code, name, loaded);
}

} // namespace hostlinktest
