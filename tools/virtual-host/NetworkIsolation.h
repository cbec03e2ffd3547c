#pragma once

#include <string>
#include <vector>

// Checks that keep test datagrams off real networks: the firing hosts' own
// addresses may only be used where nothing can leave the machine.
namespace hostlink {

// True when this process's network has no interface but loopback (as in a
// fresh network namespace); false when it has others or cannot be listed.
bool OnlyLoopbackInterfaces();

// True for a dotted address in 127.0.0.0/8.
bool IsLoopbackAddress(const std::string& dotted);

// True when a datagram to or from this address cannot leave the machine:
// loopback anywhere, any address when only loopback exists.
bool IsContainedAddress(const std::string& dotted);

// The rules behind the two above, for given facts: interface names (only
// "lo", and at least one, is isolation) and whether only loopback exists.
bool OnlyLoopbackNames(const std::vector<std::string>& interfaceNames);
bool IsContainedAddress(const std::string& dotted, bool onlyLoopback);

} // namespace hostlink
