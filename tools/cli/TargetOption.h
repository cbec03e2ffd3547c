#pragma once

#include "HostLinkOptions.h"

#include <string>

namespace cli {

// The link's destination: the built-in 192.168.10.N:10061 unless --target
// gave another address and port (then every host code goes there). Raises
// UsageError for a text that is not ADDR:PORT.
hostlink::HostLinkOptions LinkOptionsFor(const std::string& target);

// The host code as the procedures read it; raises UsageError with the
// procedure's own text when it is empty or out of 1..252.
void CheckHostCode(const std::string& hostCode, const char* emptyText, const char* rangeText);

} // namespace cli
