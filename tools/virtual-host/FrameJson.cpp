#include "FrameJson.h"

#include <cstdio>

namespace hostlink {

namespace {

const char* KindName(DecodedFrame::Kind kind)
{
    switch (kind) {
    case DecodedFrame::kProjectName:
        return "project-name";
    case DecodedFrame::kHostName:
        return "host-name";
    case DecodedFrame::kCue:
        return "cue";
    case DecodedFrame::kInvalid:
        break;
    }
    return "invalid";
}

const char* ReplyName(HostFrameRecord::Reply reply)
{
    switch (reply) {
    case HostFrameRecord::kAccepted:
        return "accepted";
    case HostFrameRecord::kRefused:
        return "refused";
    case HostFrameRecord::kNone:
        break;
    }
    return "none";
}

void AddField(std::string& json, const char* name, const std::string& value)
{
    json += ',';
    json += JsonString(name);
    json += ':';
    json += value;
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                json += escaped;
            } else {
                json += c; // UTF-8 passes through as it is
            }
        }
    }
    json += '"';
    return json;
}

std::string FrameRecordJson(const HostFrameRecord& record)
{
    const DecodedFrame& frame = record.frame;
    std::string json = "{\"frame\":" + std::to_string(record.number);
    AddField(json, "from", JsonString(udp::FormatEndpoint(record.sender)));
    AddField(json, "port", std::to_string(record.localPort));
    AddField(json, "type", JsonString(KindName(frame.kind)));
    AddField(json, "bytes", std::to_string(frame.size));
    switch (frame.kind) {
    case DecodedFrame::kProjectName:
    case DecodedFrame::kHostName:
        AddField(json, "name", JsonString(frame.name));
        break;
    case DecodedFrame::kCue:
        AddField(json, "position", std::to_string(frame.position));
        AddField(json, "CDCode", std::to_string(frame.CDCode));
        AddField(json, "reserved", std::to_string(frame.reserved));
        AddField(json, "Sector", std::to_string(frame.Sector));
        AddField(json, "BlastTime", std::to_string(frame.BlastTime));
        AddField(json, "Addr", std::to_string(frame.Addr));
        AddField(json, "Channel", std::to_string(frame.Channel));
        AddField(json, "HostName", JsonString(frame.name));
        break;
    case DecodedFrame::kInvalid:
        break;
    }
    if (!record.problem.empty())
        AddField(json, "problem", JsonString(record.problem));
    AddField(json, "reply", JsonString(ReplyName(record.reply)));
    json += '}';
    return json;
}

} // namespace hostlink
