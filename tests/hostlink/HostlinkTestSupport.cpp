#include "HostlinkTestSupport.h"

#include "HostLinkSocket.h"
#include "LayoutTable.h"

#include <gtest/gtest.h>

namespace hostlinktest {

namespace {

std::string SqlText(const std::optional<std::string>& text)
{
    if (!text)
        return "NULL";
    std::string quoted = "'";
    for (const char c : *text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

class FailingSendLink final : public hostlink::HostLink
{
public:
    FailingSendLink(const hostlink::HostLinkOptions& options, int failingSend, LinkLog& log)
        : socket_(options), failingSend_(failingSend), log_(log)
    {
    }
    OpenStatus Open(int hostCode) override { return socket_.Open(hostCode); }
    void ClearReply() override { socket_.ClearReply(); }
    bool Send(std::span<const std::uint8_t> frame) override
    {
        if (++log_.sends == failingSend_)
            return false;
        return socket_.Send(frame);
    }
    Reply AwaitAcknowledgement(std::stop_token stop) override
    {
        return socket_.AwaitAcknowledgement(stop);
    }
    bool AnsweredUnasked(std::chrono::milliseconds wait) override
    {
        return socket_.AnsweredUnasked(wait);
    }
    void Close() override
    {
        ++log_.closes;
        socket_.Close();
    }

private:
    hostlink::HostLinkSocket socket_;
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
    for (const StoreRow& row : rows)
        testsupport::RunSql(
            path, "INSERT INTO tb_Layout VALUES(" + std::to_string(row.FlowID) + "," +
                      SqlText(row.HostName) + ",1," + std::to_string(row.BlastTime) + "," +
                      SqlText(row.Addr) + "," + SqlText(row.Channel) + "," +
                      std::to_string(row.CDCode) + "," + std::to_string(row.Sector) + ")");
    return path;
}

std::vector<StoreRow> NumberedRows(int count)
{
    std::vector<StoreRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({.FlowID = i, .BlastTime = 1000 * i, .CDCode = i});
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

} // namespace hostlinktest
