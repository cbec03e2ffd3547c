// Field load benchmark: 64 virtual hosts (or as many as the first argument
// says), each at an address of its own on loopback (127.0.0.2, 127.0.0.3,
// ...), each answering every frame after 2 ms (a real host's processing
// time), a show of 10 000 cues, which every host takes whole. Loading the
// whole field at once must take at most 1.05 times loading one host alone,
// measured in the same run. Also prints what the end wait (listening after
// the last answer for one too many) adds to one host's load, whose name and
// show are waited for at once. Exits 1 when a target is missed, 2 on a bad
// argument.
#include "bench/BenchSupport.h"
#include "hostlink/FieldLoad.h"
#include "show/Cue.h"
#include "tools/virtual-host/VirtualFiringHost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace std::chrono_literals;

constexpr int kCues = 10000; // every host takes the whole show
constexpr int kHosts = 64;
constexpr std::chrono::milliseconds kHostWork{2};
constexpr double kMostRatio = 1.05;
constexpr int kEndWaitCues = 500;
constexpr int kEndWaitRuns = 5;

std::vector<show::Cue> Show(int cues, int hosts)
{
    std::vector<show::Cue> show;
    for (int i = 0; i < cues; ++i) {
        show::Cue cue;
        cue.HostName = "HOST-" + std::to_string(1 + i % hosts);
        cue.BlastTime = 10 * i;
        cue.Addr = std::to_string(1 + i % 30);
        cue.Channel = std::to_string(i % 16);
        cue.CDCode = i;
        show.push_back(cue);
    }
    return show;
}

// Loads `hosts` virtual hosts at once; the seconds it took.
double TimeField(const std::vector<show::Cue>& show, int hosts, std::chrono::milliseconds work,
                 std::chrono::milliseconds endWait)
{
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> virtualHosts;
    std::vector<hostlink::FieldHost> field;
    for (int i = 0; i < hosts; ++i) {
        const std::string address = "127.0.0." + std::to_string(2 + i);
        hostlink::VirtualHostOptions options;
        options.address = address;
        options.port = 0;
        options.replyDelay = work;
        virtualHosts.push_back(std::make_unique<hostlink::VirtualFiringHost>(options));
        std::string error;
        if (!virtualHosts.back()->Start(error))
            throw std::runtime_error("virtual host: " + error);
        hostlink::HostLinkOptions link;
        link.addressPattern = address;
        link.port = virtualHosts.back()->Port();
        link.endWait = endWait;
        field.push_back({"HOST-" + std::to_string(1 + i), 1 + i, link});
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<hostlink::FieldHostState> states = hostlink::LoadField({show, field});
    const double seconds = bench::Seconds(start);
    for (std::size_t i = 0; i < states.size(); ++i)
        if (states[i].phase != hostlink::FieldHostState::kDone)
            throw std::runtime_error(
                field[i].hostName + " did not complete: " +
                (states[i].result.failure ? states[i].result.failure->what() : "cancelled"));
    return seconds;
}

// The fastest of a few one-host downloads without host work.
double FastestOneHost(const std::vector<show::Cue>& show, std::chrono::milliseconds endWait)
{
    double fastest = 1e9;
    for (int run = 0; run < kEndWaitRuns; ++run)
        fastest = std::min(fastest, TimeField(show, 1, 0ms, endWait));
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    int hosts = kHosts;
    if (argc > 1 && ((hosts = std::atoi(argv[1])) < 1 || hosts > 250)) {
        std::fprintf(stderr, "bench_field_load: the number of hosts must be 1 to 250\n");
        return 2;
    }
    try {
        const std::vector<show::Cue> show = Show(kCues, hosts);
        const double alone = TimeField(show, 1, kHostWork, hostlink::kEndWait);
        const double whole = TimeField(show, hosts, kHostWork, hostlink::kEndWait);
        const double ratio = whole / alone;
        std::printf("one host alone:   %d cues in %.3f s\n", kCues, alone);
        std::printf("%d hosts at once:  %d cues each in %.3f s\n", hosts, kCues, whole);
        std::printf("ratio:            %.2f (target at most %.2f)\n", ratio, kMostRatio);

        const std::vector<show::Cue> small = Show(kEndWaitCues, 1);
        const double without = FastestOneHost(small, 0ms);
        const double with = FastestOneHost(small, hostlink::kEndWait);
        // A host's two conversations, its name and its show, end with one
        // wait between them.
        const double added = (with - without) * 1000.0;
        std::printf("end wait:         %lld ms; one host, %d cues: %.1f ms without it, %.1f ms "
                    "with it: %.1f ms more\n",
                    static_cast<long long>(hostlink::kEndWait.count()), kEndWaitCues,
                    without * 1000.0, with * 1000.0, added);
        const bool endWaitOk = added <= 1.5 * static_cast<double>(hostlink::kEndWait.count());
        return ratio <= kMostRatio && endWaitOk ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_field_load: %s\n", e.what());
        return 1;
    }
}
