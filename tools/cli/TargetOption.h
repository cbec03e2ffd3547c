#pragma once

#include "hostlink/HostLinkOptions.h"

#include <string>

namespace CLI {
class App;
}

namespace cli {

// --host-code N (required) and --target ADDR:PORT, as download and set-host
// take them.
void AddHostLinkOptions(CLI::App& command, std::string& hostCode, std::string& target);

// The link's destination: the built-in 192.168.10.N:10061 unless --target
// gave another address and port (then every host code goes there). Raises
// UsageError for a text that is not ADDR:PORT.
hostlink::HostLinkOptions LinkOptionsFor(const std::string& target);

// The host code: plain decimal digits 1..252, nothing else (no sign, blank,
// exponent or trailing letters); raises UsageError with the procedure's own
// text when it is empty or anything else.
void CheckHostCode(const std::string& hostCode, const char* emptyText, const char* rangeText);

} // namespace cli
