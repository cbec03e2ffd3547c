// A field of 32 firing hosts at their own addresses (192.168.10.1 to .32,
// port 10061), loaded by tavrin-cli without --target and with the field's own
// waits; a quarter of the hosts misbehave, chosen at random from a seed
// (TAVRIN_FIELD_SEED, else a fixed one): an answer twice, an answer late, a
// refused cue, silence from a frame on. Afterwards every host's record and
// `status` must say exactly what that host accepted. Runs only inside an
// isolated network (run_isolated.sh), which it checks before anything is sent.
#include "show/HostStates.h"
#include "tests/cli/CliFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace {

using clitest::RunCli;
using nlohmann::json;
using namespace std::chrono_literals;

constexpr int kHosts = 32;
constexpr int kCuesEach = 3;
constexpr int kShowFrames = kHosts * kCuesEach + 1; // the project name first
constexpr unsigned kDefaultSeed = 20261210;

std::string NameOf(int code)
{
    return "H-" + std::to_string(code);
}

unsigned Seed()
{
    const char* given = std::getenv("TAVRIN_FIELD_SEED");
    return given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : kDefaultSeed;
}

// What one host does wrong, and what its conversations must then say. A
// host's frames count from 1 in the order they reach it: its name, then the
// show's project name and cues.
struct Fault
{
    enum Kind
    {
        kNone,
        kTwice,   // frame K answered twice, the second time D ms later
        kLate,    // frame K answered D ms late, up to 4 s
        kRefused, // frame K refused
        kSilent,  // no answer from frame K on
    };
    Kind kind = kNone;
    int frame = 0;
    std::chrono::milliseconds delay{0};

    hostlink::VirtualHostOptions Options(int code) const
    {
        hostlink::VirtualHostOptions options{.address = "192.168.10." + std::to_string(code)};
        switch (kind) {
        case kNone:
            break;
        case kTwice:
            options.repeatedFrames = {{frame, delay}};
            break;
        case kLate:
            options.lateFrames = {{frame, delay}};
            break;
        case kRefused:
            options.refuseFrame = frame;
            break;
        case kSilent:
            options.silentFrom = frame;
            break;
        }
        return options;
    }
};

std::vector<Fault> DrawFaults(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<int> codes(kHosts);
    for (int i = 0; i < kHosts; ++i)
        codes[i] = i + 1;
    std::shuffle(codes.begin(), codes.end(), random);
    std::vector<Fault> faults(kHosts + 1);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < kHosts / 4; ++i) {
        Fault& fault = faults[codes[i]];
        fault.kind = static_cast<Fault::Kind>(1 + i % 4);
        fault.frame = pick(1, kShowFrames + 1);
        if (fault.kind == Fault::kTwice)
            fault.delay = std::chrono::milliseconds(pick(5, 300));
        if (fault.kind == Fault::kLate)
            fault.delay = std::chrono::milliseconds(pick(100, 4000));
    }
    return faults;
}

const char* KindName(Fault::Kind kind)
{
    static constexpr const char* kNames[] = {"none", "twice", "late", "refused", "silent"};
    return kNames[kind];
}

class FieldRehearsal : public clitest::Cli
{
};

TEST_F(FieldRehearsal, EveryHostsRecordSaysWhatThatHostAccepted)
{
    const unsigned seed = Seed();
    std::vector<clitest::StoreRow> rows;
    for (int i = 0; i < kHosts * kCuesEach; ++i)
        rows.push_back({.FlowID = i,
                        .HostName = NameOf(1 + i % kHosts),
                        .BlastTime = 100 * i,
                        .Channel = std::to_string(i / kHosts)}); // a firing point each
    const std::string store = Store(rows);
    std::vector<std::string> plan = {"plan", store};
    for (int code = 1; code <= kHosts; ++code)
        plan.insert(plan.end(), {"--set", NameOf(code) + "=" + std::to_string(code)});
    ASSERT_EQ(RunCli(plan).exitCode, 0);

    const std::vector<Fault> faults = DrawFaults(seed);
    std::vector<std::unique_ptr<hostlink::VirtualFiringHost>> hosts(kHosts + 1);
    for (int code = 1; code <= kHosts; ++code) {
        hosts[code] = std::make_unique<hostlink::VirtualFiringHost>(faults[code].Options(code));
        std::string error;
        ASSERT_TRUE(hosts[code]->Start(error)) << error;
    }

    const auto start = std::chrono::steady_clock::now();
    const clitest::CliResult load = RunCli({"download", store, "--all-hosts"}, 60s);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("seed %u: the field load took %lld ms\n", seed,
                static_cast<long long>(took.count()));
    const bool anyFailing = std::any_of(faults.begin(), faults.end(), [](const Fault& f) {
        return f.kind != Fault::kNone && f.kind != Fault::kLate;
    });
    EXPECT_EQ(load.exitCode, anyFailing ? 1 : 0) << load.err;

    const clitest::CliResult status = RunCli({"status", store, "--json"});
    ASSERT_EQ(status.exitCode, 0) << status.err;
    const json states = Json(status);
    ASSERT_EQ(states.size(), static_cast<std::size_t>(kHosts));
    const std::vector<store::HostRecord> records = show::ReadHostRecords(store);
    for (const json& state : states) {
        const int code = state["code"];
        const Fault& fault = faults[code];
        SCOPED_TRACE("seed " + std::to_string(seed) + ", host " + std::to_string(code) + ": " +
                     KindName(fault.kind) + " at frame " + std::to_string(fault.frame) + ", " +
                     std::to_string(fault.delay.count()) + " ms");
        // The host's own account: every frame it took in accepted, once.
        const std::vector<hostlink::HostFrameRecord> taken = hosts[code]->Records();
        const bool acceptedAll =
            taken.size() == static_cast<std::size_t>(kShowFrames) + 1 &&
            std::all_of(taken.begin(), taken.end(), [](const hostlink::HostFrameRecord& r) {
                return r.reply == hostlink::HostFrameRecord::kAccepted;
            });
        const bool showCompleted =
            std::any_of(records.begin(), records.end(), [code](const store::HostRecord& r) {
                return r.HostCode == code && r.Sent == store::kSentShow && r.Completed();
            });

        switch (fault.kind) {
        case Fault::kNone:
        case Fault::kLate:
            EXPECT_TRUE(acceptedAll);
            EXPECT_EQ(state["state"], "current");
            break;
        case Fault::kTwice:
            EXPECT_EQ(state["state"], "failed");
            EXPECT_EQ(state["ambiguous"], true);
            EXPECT_TRUE(state["failed_at_frame"].is_null());
            break;
        case Fault::kRefused:
        case Fault::kSilent: {
            EXPECT_EQ(state["state"], "failed");
            EXPECT_EQ(state["ambiguous"], false);
            // Its name is frame 1 of its own; the show's frames follow it.
            const int inConversation = fault.frame == 1 ? 1 : fault.frame - 1;
            EXPECT_EQ(state["failed_at_frame"], inConversation);
            EXPECT_EQ(state["frames"], fault.frame == 1 ? 1 : kShowFrames);
            break;
        }
        }
        // What no fault may ever bring about: a host called current, or a
        // show recorded whole, that did not accept every frame once.
        if (state["state"] == "current") {
            EXPECT_TRUE(acceptedAll && fault.kind != Fault::kTwice);
        }
        if (showCompleted) {
            EXPECT_TRUE(acceptedAll) << "a show recorded whole that the host did not accept";
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    return hostlinktest::RunTestsInsideIsolatedNetwork(argc, argv, "field rehearsal test");
}
