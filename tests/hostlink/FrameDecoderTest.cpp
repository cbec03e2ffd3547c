#include "tools/virtual-host/FrameDecoder.h"

#include "hostlink/Frames.h"
#include "show/Cue.h"
#include "tools/virtual-host/FrameJson.h"
#include "tools/virtual-host/PositionSequence.h"

#include <gtest/gtest.h>

using namespace hostlink;

namespace {

CueFrame SampleCueFrame(PositionCode position = kFirstCue)
{
    show::Cue cue;
    cue.HostName = "主机A";
    cue.CDCode = 9;
    cue.Sector = 3;
    cue.BlastTime = 65432;
    cue.Addr = "05";
    cue.Channel = "11";
    CueFrame frame;
    EXPECT_TRUE(BuildCueFrame(cue, position, frame));
    return frame;
}

} // namespace

TEST(FrameDecoder, ReadsBackWhatTheBuildersWrote)
{
    const DecodedFrame cue = DecodeFrame(SampleCueFrame(kLastCue).bytes);
    ASSERT_EQ(cue.kind, DecodedFrame::kCue) << cue.error;
    EXPECT_EQ(cue.position, kLastCue);
    EXPECT_EQ(cue.CDCode, 9);
    EXPECT_EQ(cue.Sector, 3);
    EXPECT_EQ(cue.BlastTime, 65432);
    EXPECT_EQ(cue.Addr, 5);
    EXPECT_EQ(cue.Channel, 11);
    EXPECT_EQ(cue.name, "主机A");

    HostNameFrame host;
    ASSERT_TRUE(BuildHostNameFrame("烟花1", host));
    const DecodedFrame name = DecodeFrame(host.bytes);
    EXPECT_EQ(name.kind, DecodedFrame::kHostName);
    EXPECT_EQ(name.name, "烟花1");
}

TEST(FrameDecoder, EveryDamagedPartMakesTheFrameInvalid)
{
    const CueFrame good = SampleCueFrame();
    auto damaged = [&](std::size_t at, std::uint8_t value) {
        CueFrame frame = good;
        frame.bytes[at] = value;
        return DecodeFrame(frame.bytes);
    };
    EXPECT_EQ(damaged(0, 0xFE).kind, DecodedFrame::kInvalid);                // marker
    EXPECT_EQ(damaged(1, 5).kind, DecodedFrame::kInvalid);                   // type
    EXPECT_EQ(damaged(2, 3).kind, DecodedFrame::kInvalid);                   // position code
    EXPECT_EQ(damaged(3, 87).kind, DecodedFrame::kInvalid);                  // payload length
    EXPECT_EQ(damaged(92, good.bytes[92] ^ 1).kind, DecodedFrame::kInvalid); // checksum
    EXPECT_NE(damaged(92, good.bytes[92] ^ 1).error.find("checksum"), std::string::npos);
    EXPECT_EQ(DecodeFrame(std::span(good.bytes).first(92)).kind, DecodedFrame::kInvalid);
}

TEST(FrameDecoder, ReservedFieldAndTextPaddingMustBeZero)
{
    CueFrame reserved = SampleCueFrame();
    reserved.bytes[8] = 1;
    reserved.bytes[92] = FrameChecksum(std::span(reserved.bytes).subspan(4, 88));
    EXPECT_EQ(DecodeFrame(reserved.bytes).kind, DecodedFrame::kInvalid);

    CueFrame padding = SampleCueFrame();
    padding.bytes[80] = 'x'; // after the name's terminator
    padding.bytes[92] = FrameChecksum(std::span(padding.bytes).subspan(4, 88));
    EXPECT_NE(DecodeFrame(padding.bytes).error.find("terminator"), std::string::npos);
}

TEST(FrameDecoder, NameThatIsNotGbkOrEmptyIsInvalid)
{
    HostNameFrame frame;
    ASSERT_TRUE(BuildHostNameFrame("ab", frame));
    frame.bytes[4] = 0xFF;
    frame.bytes[5] = 0xFF;
    frame.bytes[68] = FrameChecksum(std::span(frame.bytes).subspan(4, 64));
    EXPECT_EQ(DecodeFrame(frame.bytes).error, "text field is not GBK");

    std::array<std::uint8_t, 69> empty{0xFF, 3, 1, 64};
    EXPECT_EQ(DecodeFrame(empty).error, "empty name");
}

TEST(PositionSequence, ZeroOnesTwoAndALoneZeroFit)
{
    PositionSequence sequence;
    for (const int position : {0, 1, 1, 2, 0, 0, 2}) {
        EXPECT_EQ(sequence.Check(position), "") << position;
        sequence.Accept(position);
    }
}

TEST(PositionSequence, OneOrTwoWithoutAnOpenShowDoNotFit)
{
    PositionSequence sequence;
    EXPECT_NE(sequence.Check(1), "");
    EXPECT_NE(sequence.Check(2), "");
    sequence.Accept(0);
    sequence.Accept(2);
    EXPECT_NE(sequence.Check(1), ""); // the show was closed
    sequence.Accept(0);
    sequence.ProjectName(); // a new download starts over
    EXPECT_NE(sequence.Check(2), "");
}

TEST(FrameJson, CueLineCarriesEveryField)
{
    HostFrameRecord record;
    record.number = 2;
    record.sender = {0x7F000001, 4000};
    record.localPort = 10061;
    record.frame = DecodeFrame(SampleCueFrame().bytes);
    EXPECT_EQ(FrameRecordJson(record),
              "{\"frame\":2,\"from\":\"127.0.0.1:4000\",\"port\":10061,\"type\":\"cue\","
              "\"bytes\":93,\"position\":0,\"CDCode\":9,\"reserved\":0,\"Sector\":3,"
              "\"BlastTime\":65432,\"Addr\":5,\"Channel\":11,\"HostName\":\"主机A\","
              "\"reply\":\"accepted\"}");
}

TEST(FrameJson, KeptBytesEndTheLineInHexadecimal)
{
    HostFrameRecord record;
    record.frame = DecodeFrame(SampleCueFrame().bytes);
    record.bytes = {0x00, 0x7f, 0xa5, 0xff};
    const std::string line = FrameRecordJson(record);
    EXPECT_TRUE(line.ends_with(",\"reply\":\"accepted\",\"hex\":\"007fa5ff\"}")) << line;
}

TEST(FrameJson, NamesAreEscaped)
{
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
}
