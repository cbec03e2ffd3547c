#pragma once

#include "hostlink/HostLinkOptions.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace cli {

// --host-code N (required) and --target ADDR:PORT, as set-host takes them.
void AddHostLinkOptions(CLI::App& command, std::string& hostCode,
                        std::optional<std::string>& target);

// The link's destination: the built-in 192.168.10.N:10061 when no --target
// was given, else its address and port (then every host code goes there).
// Raises UsageError for a text that is not ADDR:PORT. An empty one is as
// wrong as any other: only a --target not given at all means the field's
// addresses, so a script's unset variable can never reach a firing host.
hostlink::HostLinkOptions LinkOptionsFor(const std::optional<std::string>& target);

// The host code: plain decimal digits 1..252, nothing else (no sign, blank,
// exponent or trailing letters); raises UsageError with the procedure's own
// text when it is empty or anything else.
void CheckHostCode(const std::string& hostCode, const char* emptyText, const char* rangeText);

} // namespace cli
