#include "VirtualHostArguments.h"

#include "DecimalValue.h"

#include <limits>

const char kVirtualHostUsage[] =
    "usage: tavrin-virtual-host [options]\n"
    "Plays a firing host: acknowledges each frame with 01 00 00 00 (or refuses it with\n"
    "00 00 00 00) and prints each frame as one JSON line.\n"
    "  --address A             listen on A (default 127.0.0.1; other than 127.x.x.x\n"
    "                          only where loopback is the only interface)\n"
    "  --port P                listen on port P (default 10061; 0: any free port)\n"
    "  --refuse-frame K        refuse frame K (frames count from 1)\n"
    "  --silent-from K         no reply to frame K and after\n"
    "  --reply-from-other-port reply from a second port, which listens too\n"
    "  --reply-five-bytes      reply with five bytes instead of four\n"
    "  --reply-delay MS        wait MS milliseconds before each reply\n"
    "  --reply-from-address A  reply from address A instead\n"
    "  --decoy-from-address A  send an extra 01 00 00 00 from A before each reply\n"
    "  --exit-after N          stop after N frames\n"
    "  --help                  this text\n";

namespace {

// A whole decimal number in [low, high], nothing else in the text.
bool ReadNumber(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const auto parsed = hostlink::DecimalValue(text);
    if (!parsed || *parsed < low || *parsed > high)
        return false;
    value = *parsed;
    return true;
}

} // namespace

bool ParseVirtualHostArguments(const std::vector<std::string>& args, VirtualHostArguments& out,
                               std::string& error)
{
    constexpr long long kIntMax = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto takeValue = [&](std::string& value) {
            if (i + 1 >= args.size()) {
                error = option + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto takeNumber = [&](long long low, long long high, long long& value) {
            std::string text;
            if (!takeValue(text))
                return false;
            if (!ReadNumber(text, low, high, value)) {
                error = option + ": not a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ": " + text;
                return false;
            }
            return true;
        };
        long long number = 0;
        if (option == "--help") {
            out.help = true;
        } else if (option == "--address") {
            if (!takeValue(out.host.address))
                return false;
        } else if (option == "--port") {
            if (!takeNumber(0, 65535, number))
                return false;
            out.host.port = static_cast<std::uint16_t>(number);
        } else if (option == "--refuse-frame") {
            if (!takeNumber(1, kIntMax, number))
                return false;
            out.host.refuseFrame = static_cast<int>(number);
        } else if (option == "--silent-from") {
            if (!takeNumber(1, kIntMax, number))
                return false;
            out.host.silentFrom = static_cast<int>(number);
        } else if (option == "--reply-from-other-port") {
            out.host.replyFromOtherPort = true;
        } else if (option == "--reply-five-bytes") {
            out.host.replyFiveBytes = true;
        } else if (option == "--reply-delay") {
            if (!takeNumber(0, 600000, number))
                return false;
            out.host.replyDelay = std::chrono::milliseconds(number);
        } else if (option == "--reply-from-address") {
            if (!takeValue(out.host.replyFromAddress))
                return false;
        } else if (option == "--decoy-from-address") {
            if (!takeValue(out.host.decoyFromAddress))
                return false;
        } else if (option == "--exit-after") {
            if (!takeNumber(1, kIntMax, number))
                return false;
            out.exitAfter = static_cast<int>(number);
        } else {
            error = "unknown option: " + option;
            return false;
        }
    }
    return true;
}
