#include "tools/virtual-host/FrameJson.h"

#include <nlohmann/json.hpp>

namespace hostlink {

NLOHMANN_JSON_SERIALIZE_ENUM(DecodedFrame::Kind, {{DecodedFrame::kInvalid, "invalid"},
                                                  {DecodedFrame::kProjectName, "project-name"},
                                                  {DecodedFrame::kHostName, "host-name"},
                                                  {DecodedFrame::kCue, "cue"}})
NLOHMANN_JSON_SERIALIZE_ENUM(HostFrameRecord::Reply, {{HostFrameRecord::kNone, "none"},
                                                      {HostFrameRecord::kAccepted, "accepted"},
                                                      {HostFrameRecord::kRefused, "refused"}})

namespace {

// One line, and never an exception for a name that is not UTF-8.
std::string Line(const nlohmann::ordered_json& json)
{
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

// Two lower-case digits a byte, no spaces: the datagram as it arrived.
std::string HexText(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xf];
    }
    return text;
}

} // namespace

std::string JsonString(std::string_view text)
{
    return Line(nlohmann::ordered_json(std::string(text)));
}

std::string FrameRecordJson(const HostFrameRecord& record)
{
    const DecodedFrame& frame = record.frame;
    nlohmann::ordered_json json = {{"frame", record.number},
                                   {"from", platform::udp::FormatEndpoint(record.sender)},
                                   {"port", record.localPort}};
    if (!record.listen.empty())
        json["listen"] = record.listen;
    json["type"] = frame.kind;
    json["bytes"] = frame.size;
    switch (frame.kind) {
    case DecodedFrame::kProjectName:
    case DecodedFrame::kHostName:
        json["name"] = frame.name;
        break;
    case DecodedFrame::kCue:
        json["position"] = frame.position;
        json["CDCode"] = frame.CDCode;
        json["reserved"] = frame.reserved;
        json["Sector"] = frame.Sector;
        json["BlastTime"] = frame.BlastTime;
        json["Addr"] = frame.Addr;
        json["Channel"] = frame.Channel;
        json["HostName"] = frame.name;
        break;
    case DecodedFrame::kInvalid:
        break;
    }
    if (!record.problem.empty())
        json["problem"] = record.problem;
    json["reply"] = record.reply;
    if (!record.bytes.empty())
        json["hex"] = HexText(record.bytes);
    return Line(json);
}

std::string ListeningJson(const std::string& address, std::uint16_t port, std::uint16_t otherPort)
{
    nlohmann::ordered_json json = {
        {"listening", address}, {"port", port}, {"listen", address + ':' + std::to_string(port)}};
    if (otherPort != 0)
        json["other_port"] = otherPort;
    return Line(json);
}

} // namespace hostlink
