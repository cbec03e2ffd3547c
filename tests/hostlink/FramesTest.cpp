#include "hostlink/Frames.h"

#include "hostlink/FrameDigest.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <numeric>
#include <span>
#include <vector>

using namespace hostlink;

namespace {

std::int32_t Int32At(const CueFrame& frame, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{frame.bytes[offset + i]} << (8 * i);
    return static_cast<std::int32_t>(value);
}

// 32 Chinese characters: 64 bytes in GBK.
std::string SixtyFourByteName()
{
    std::string name;
    for (int i = 0; i < 32; ++i)
        name += "烟";
    return name;
}

show::Cue SampleCue()
{
    show::Cue cue;
    cue.HostName = "HOST";
    cue.CDCode = 0x01020304;
    cue.Sector = -2;
    cue.BlastTime = 3723004;
    cue.Addr = "05";
    cue.Channel = "-1";
    return cue;
}

bool AllZero(const auto& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

} // namespace

TEST(Frames, HostNameFrameOfAbcIsTheWorkedExample)
{
    HostNameFrame frame;
    ASSERT_TRUE(BuildHostNameFrame("abc", frame));
    EXPECT_EQ(frame.bytes.size(), 69u);
    EXPECT_EQ(frame.bytes[0], 0xFF);
    EXPECT_EQ(frame.bytes[1], 0x03);
    EXPECT_EQ(frame.bytes[2], 0x01);
    EXPECT_EQ(frame.bytes[3], 0x40);
    EXPECT_EQ(frame.bytes[4], 0x61);
    EXPECT_EQ(frame.bytes[5], 0x62);
    EXPECT_EQ(frame.bytes[6], 0x63);
    for (std::size_t i = 7; i <= 67; ++i)
        EXPECT_EQ(frame.bytes[i], 0) << "byte " << i;
    EXPECT_EQ(frame.bytes[68], 0x26);
}

TEST(Frames, ProjectNameFrameCarriesVelmoraWithItsOwnType)
{
    ProjectNameFrame frame;
    ASSERT_TRUE(BuildProjectNameFrame(kProjectName, frame));
    EXPECT_EQ(frame.bytes[1], 2);
    EXPECT_EQ(frame.bytes[2], 1);
    EXPECT_EQ(frame.bytes[3], 64);
    EXPECT_EQ(std::string(frame.bytes.begin() + 4, frame.bytes.begin() + 11), "Velmora");
    EXPECT_EQ(frame.bytes[11], 0); // terminator
    const std::string name = "Velmora";
    EXPECT_EQ(frame.bytes[68], std::accumulate(name.begin(), name.end(), 0u) & 0xFF);
}

TEST(Frames, SixtyFourByteGbkNameFillsTheFieldWithNoTerminator)
{
    HostNameFrame frame;
    ASSERT_TRUE(BuildHostNameFrame(SixtyFourByteName(), frame));
    for (std::size_t i = 4; i < 68; i += 2) {
        EXPECT_EQ(frame.bytes[i], 0xD1) << "byte " << i;
        EXPECT_EQ(frame.bytes[i + 1], 0xCC) << "byte " << i + 1;
    }
    EXPECT_EQ(frame.bytes[68], (32 * (0xD1 + 0xCC)) & 0xFF); // the checksum, not a zero
}

TEST(Frames, NameThatDoesNotFitIsRefusedNeverCut)
{
    HostNameFrame frame;
    frame.bytes.fill(0x55);
    EXPECT_FALSE(BuildHostNameFrame(SixtyFourByteName() + "a", frame));
    EXPECT_TRUE(AllZero(frame.bytes));
}

TEST(Frames, NameGbkCannotEncodeIsRefused)
{
    HostNameFrame host;
    EXPECT_FALSE(BuildHostNameFrame("HOST\xF0\x9F\x8E\x86", host));
    EXPECT_TRUE(AllZero(host.bytes));
    ProjectNameFrame project;
    EXPECT_FALSE(BuildProjectNameFrame("\xF0\x9F\x8E\x86", project));
}

TEST(Frames, EmptyNameOrNameWithZeroByteIsRefused)
{
    HostNameFrame frame;
    EXPECT_FALSE(BuildHostNameFrame("", frame));
    EXPECT_FALSE(BuildHostNameFrame(std::string("ab\0cd", 5), frame));
}

TEST(Frames, CueFrameFieldsInTheirOrderLittleEndian)
{
    CueFrame frame;
    ASSERT_TRUE(BuildCueFrame(SampleCue(), kMiddleCue, frame));
    EXPECT_EQ(frame.bytes.size(), 93u);
    EXPECT_EQ(frame.bytes[0], 0xFF);
    EXPECT_EQ(frame.bytes[1], 4);
    EXPECT_EQ(frame.bytes[2], kMiddleCue);
    EXPECT_EQ(frame.bytes[3], 88);
    EXPECT_EQ(frame.bytes[4], 0x04); // CDCode, low byte first
    EXPECT_EQ(frame.bytes[7], 0x01);
    EXPECT_EQ(Int32At(frame, 4), 0x01020304);
    EXPECT_EQ(Int32At(frame, 8), 0);
    EXPECT_EQ(Int32At(frame, 12), -2);
    EXPECT_EQ(Int32At(frame, 16), 3723004);
    EXPECT_EQ(Int32At(frame, 20), 5);
    EXPECT_EQ(Int32At(frame, 24), -1);
    EXPECT_EQ(std::string(frame.bytes.begin() + 28, frame.bytes.begin() + 32), "HOST");
    EXPECT_EQ(frame.bytes[32], 0);
    const unsigned sum = std::accumulate(frame.bytes.begin() + 4, frame.bytes.begin() + 92, 0u);
    EXPECT_EQ(frame.bytes[92], sum & 0xFF);
}

TEST(Frames, CueFrameCarriesTheHostNameAsTheHostIsToldIt)
{
    show::Cue cue = SampleCue();
    cue.HostName = "\xE3\x80\x80HOST \t"; // as another program may store it
    CueFrame trimmed;
    CueFrame plain;
    ASSERT_TRUE(BuildCueFrame(cue, kMiddleCue, trimmed));
    ASSERT_TRUE(BuildCueFrame(SampleCue(), kMiddleCue, plain));
    EXPECT_EQ(trimmed.bytes, plain.bytes);
}

TEST(Frames, ReservedFieldIsZeroAndTheColumnsNotSentStayOut)
{
    show::Cue cue = SampleCue();
    cue.FlowID = 77;
    cue.HostIndex = 78;
    CueFrame frame;
    ASSERT_TRUE(BuildCueFrame(cue, kFirstCue, frame));
    EXPECT_EQ(Int32At(frame, 8), 0);
}

TEST(Frames, AddrAndChannelTextsAreSentAsTheirDecimalValue)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0}, {"0012", 12}, {" 5", 5}, {"7A", 7}, {"-1", -1}, {"abc", 0}, {"123", 123}};
    for (const auto& [text, value] : cases) {
        show::Cue cue = SampleCue();
        cue.Addr = text;
        cue.Channel = text;
        CueFrame frame;
        ASSERT_TRUE(BuildCueFrame(cue, kFirstCue, frame)) << text;
        EXPECT_EQ(Int32At(frame, 20), value) << "Addr " << text;
        EXPECT_EQ(Int32At(frame, 24), value) << "Channel " << text;
    }
}

TEST(Frames, CueWhoseNumberDoesNotFit32BitsIsRefused)
{
    show::Cue cue = SampleCue();
    cue.Addr = "4294967301"; // would wrap to 5
    CueFrame frame;
    EXPECT_FALSE(BuildCueFrame(cue, kFirstCue, frame));
}

TEST(Frames, CueHostNameRulesMatchTheNameFrames)
{
    show::Cue cue = SampleCue();
    CueFrame frame;
    cue.HostName = SixtyFourByteName();
    ASSERT_TRUE(BuildCueFrame(cue, kLastCue, frame));
    EXPECT_EQ(frame.bytes[91], 0xCC); // the field's last byte: no terminator
    cue.HostName += "a";
    EXPECT_FALSE(BuildCueFrame(cue, kLastCue, frame));
    cue.HostName = "\xF0\x9F\x8E\x86";
    EXPECT_FALSE(BuildCueFrame(cue, kLastCue, frame));
    EXPECT_TRUE(AllZero(frame.bytes));
}

TEST(Frames, PositionCodeOutsideTheThreeIsRefused)
{
    CueFrame frame;
    EXPECT_FALSE(BuildCueFrame(SampleCue(), static_cast<PositionCode>(3), frame));
}

TEST(Frames, PositionCodesForOneTwoAndThreeCues)
{
    EXPECT_EQ(PositionOf(0, 1), kFirstCue);
    EXPECT_EQ(PositionOf(0, 2), kFirstCue);
    EXPECT_EQ(PositionOf(1, 2), kLastCue);
    EXPECT_EQ(PositionOf(0, 3), kFirstCue);
    EXPECT_EQ(PositionOf(1, 3), kMiddleCue);
    EXPECT_EQ(PositionOf(2, 3), kLastCue);
}

TEST(Frames, ChecksumKeepsTheLowEightBits)
{
    const std::uint8_t bytes[] = {0xFF, 0xFF, 0x03};
    EXPECT_EQ(FrameChecksum(bytes), 0x01);
    EXPECT_EQ(FrameChecksum({}), 0);
}

TEST(Frames, CommandFrameLayout)
{
    CommandFrame frame;
    ASSERT_TRUE(BuildCommandFrame(kSaveParam, frame));
    const std::uint8_t head[] = {0x10, 0x01, 32, 0, 3, 0, 1, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), frame.bytes.begin()));
    EXPECT_EQ(std::string(frame.bytes.begin() + 10, frame.bytes.begin() + 19), "saveparam");
    EXPECT_TRUE(std::all_of(frame.bytes.begin() + 19, frame.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));
    ASSERT_TRUE(BuildCommandFrame(kClearFireTable, frame));
    EXPECT_EQ(frame.bytes[4], 1);
    EXPECT_EQ(std::string(frame.bytes.begin() + 10, frame.bytes.begin() + 24), "clearfiretable");
}

TEST(Frames, AcknowledgementValueIsLittleEndian)
{
    EXPECT_TRUE((Acknowledgement{{1, 0, 0, 0}}.Accepted()));
    EXPECT_FALSE((Acknowledgement{{0, 0, 0, 0}}.Accepted()));
    EXPECT_FALSE((Acknowledgement{{2, 0, 0, 0}}.Accepted()));
    EXPECT_FALSE((Acknowledgement{{0, 0, 0, 1}}.Accepted()));
    EXPECT_EQ((Acknowledgement{{0xFF, 0xFF, 0xFF, 0xFF}}.Value()), -1);
}

// The digest is FNV-1a over the bytes one by one, whatever runs of zeros
// it takes eight at a time, wherever they fall.
TEST(FrameDigest, IsFnv1aOfTheBytesWhereverTheirZerosFall)
{
    const auto fnv = [](std::span<const std::uint8_t> bytes) {
        std::uint64_t hash = 0xcbf29ce484222325ULL;
        for (const std::uint8_t byte : bytes)
            hash = (hash ^ byte) * 0x100000001b3ULL;
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return std::string(text);
    };
    for (std::size_t size = 0; size <= 40; ++size)
        for (std::size_t lone = 0; lone <= size; ++lone) {
            std::vector<std::uint8_t> bytes(size, 0); // all zeros but one byte
            if (lone < size)
                bytes[lone] = static_cast<std::uint8_t>(lone * 37 + 1);
            hostlink::FrameDigest digest;
            digest.Add(bytes);
            ASSERT_EQ(digest.Hex(), fnv(bytes)) << size << " bytes, byte " << lone;
        }
    // Zeros and other bytes mixed, in runs of every length up to past the
    // longest one step takes.
    std::vector<std::uint8_t> mixed;
    for (std::size_t run = 0; run < 300; run += 7) {
        mixed.insert(mixed.end(), run % 23, 0);
        mixed.insert(mixed.end(), run % 5, static_cast<std::uint8_t>(run | 1));
    }
    mixed.insert(mixed.end(), 300, 0);
    mixed.push_back(9);
    hostlink::FrameDigest many;
    many.Add(mixed);
    EXPECT_EQ(many.Hex(), fnv(mixed));
    // Frames one after another run on from where the last ended.
    hostlink::CueFrame frame;
    ASSERT_TRUE(
        hostlink::BuildCueFrame({.HostName = "A", .BlastTime = 5, .Addr = "1", .Channel = "2"},
                                hostlink::kFirstCue, frame));
    hostlink::FrameDigest two;
    two.Add(frame.bytes);
    two.Add(std::span(frame.bytes).first(7));
    std::vector<std::uint8_t> joined(frame.bytes.begin(), frame.bytes.end());
    joined.insert(joined.end(), frame.bytes.begin(), frame.bytes.begin() + 7);
    EXPECT_EQ(two.Hex(), fnv(joined));
}
