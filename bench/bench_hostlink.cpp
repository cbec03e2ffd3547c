// Host link benchmark: a 10 000-cue show downloaded to the virtual firing
// host on loopback, against a bare request/acknowledge loop of the same
// 93-byte datagrams. Prints cues per second and the ratio; exits 1 when the
// download is more than 1.5 times slower than the bare loop. Also prints what
// the end wait (listening after the last answer for one too many) adds.
#include "bench/BenchSupport.h"
#include "hostlink/FrameLayout.h"
#include "hostlink/ReadDownloadCues.h"
#include "hostlink/SendShow.h"
#include "platform/Udp.h"
#include "tools/virtual-host/VirtualFiringHost.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

constexpr int kCues = 10000;
constexpr double kMostRatio = 1.5;
constexpr std::chrono::milliseconds kWait{2000};

double TimeDownload(const std::filesystem::path& show, std::chrono::milliseconds endWait)
{
    hostlink::VirtualHostOptions hostOptions;
    hostOptions.port = 0;
    hostlink::VirtualFiringHost host(hostOptions);
    std::string error;
    if (!host.Start(error))
        throw std::runtime_error("virtual host: " + error);

    hostlink::HostLinkOptions link;
    link.addressPattern = "127.0.0.%i";
    link.port = host.Port();
    link.sendTimeout = kWait;
    link.receiveTimeout = kWait;
    link.endWait = endWait;

    // As the dialog downloads: the store read, then the conversation.
    const auto start = std::chrono::steady_clock::now();
    const std::vector<show::Cue> cues = hostlink::ReadDownloadCues(show.string());
    const hostlink::DownloadResult result = hostlink::SendShow({{1, link, {}}, cues, {}});
    const double seconds = bench::Seconds(start);
    host.Stop();
    if (!result.Completed())
        throw std::runtime_error(std::string("the download did not complete: ") +
                                 (result.failure ? result.failure->what() : "cancelled"));
    if (host.Records().size() != static_cast<std::size_t>(kCues) + 1)
        throw std::runtime_error("the host did not receive every frame");
    return seconds;
}

// The same exchange with nothing but sockets: send 93 bytes, wait for 4.
double TimeBareLoop()
{
    using namespace hostlink;
    const platform::udp::Endpoint any{*platform::udp::ParseIpv4("127.0.0.1"), 0};
    const platform::udp::Handle server = platform::udp::OpenSocket();
    if (server == platform::udp::kNoHandle || !platform::udp::Bind(server, any))
        throw std::runtime_error("bare loop: cannot bind");
    const platform::udp::Endpoint serverAt = *platform::udp::LocalEndpoint(server);

    std::atomic<bool> stop{false};
    std::thread echo([&] {
        std::array<std::uint8_t, 128> buffer{};
        const std::array<std::uint8_t, 4> accepted{1, 0, 0, 0};
        const platform::udp::Handle sockets[] = {server};
        while (!stop) {
            if (platform::udp::WaitReadable(sockets, std::chrono::milliseconds(50)).status !=
                platform::udp::Readiness::kReady)
                continue;
            platform::udp::Endpoint from;
            if (platform::udp::ReceiveFrom(server, buffer, from) > 0)
                platform::udp::SendTo(server, accepted, from);
        }
    });

    const platform::udp::Handle client = platform::udp::OpenSocket();
    std::array<std::uint8_t, kCueFrameSize> frame{};
    std::array<std::uint8_t, 8> reply{};
    const platform::udp::Handle clientSockets[] = {client};
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    for (int n = 0; n <= kCues && ok; ++n) {
        frame[0] = static_cast<std::uint8_t>(n);
        platform::udp::Endpoint from;
        ok = platform::udp::SendTo(client, frame, serverAt) &&
             platform::udp::WaitReadable(clientSockets, kWait).status ==
                 platform::udp::Readiness::kReady &&
             platform::udp::ReceiveFrom(client, reply, from) == 4;
    }
    const double seconds = bench::Seconds(start);
    stop = true;
    echo.join();
    platform::udp::CloseSocket(client);
    platform::udp::CloseSocket(server);
    if (!ok)
        throw std::runtime_error("bare loop: an exchange failed");
    return seconds;
}

} // namespace

int main()
{
    try {
        const auto show = std::filesystem::temp_directory_path() / "tavrin-bench-hostlink.db";
        bench::WriteLayoutStore(show.string(), kCues);
        const double bare = TimeBareLoop();
        // The ratio is of the per-frame cost; the end wait is a fixed time
        // after the last answer, printed apart.
        const double download = TimeDownload(show, std::chrono::milliseconds(0));
        const double withEndWait = TimeDownload(show, hostlink::kEndWait);
        std::filesystem::remove(show);

        const double ratio = download / bare;
        std::printf("bare loop:  %d exchanges in %.3f s, %.0f cues/s\n", kCues + 1, bare,
                    (kCues + 1) / bare);
        std::printf("download:   %d cues in %.3f s, %.0f cues/s\n", kCues, download,
                    kCues / download);
        std::printf("ratio:      %.2f (target at most %.1f)\n", ratio, kMostRatio);
        std::printf("end wait:   %lld ms; the download with it took %.3f s, %.0f ms more\n",
                    static_cast<long long>(hostlink::kEndWait.count()), withEndWait,
                    (withEndWait - download) * 1000.0);
        return ratio <= kMostRatio ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_hostlink: %s\n", e.what());
        return 1;
    }
}
