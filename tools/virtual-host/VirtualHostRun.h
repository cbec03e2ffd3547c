#pragma once

#include "tools/virtual-host/VirtualHostArguments.h"

// Runs the virtual firing hosts as a program does: checks that their addresses
// cannot reach a real network, prints where each listens and then every frame
// as one JSON line on standard output, and ends on SIGINT or SIGTERM or after
// --exit-after. `program` prefixes the error lines on standard error. The
// exit code: 0 after a normal end, 1 when a host cannot start, 2 for an
// address it must not use.
int RunVirtualHost(const VirtualHostArguments& arguments, const char* program);
