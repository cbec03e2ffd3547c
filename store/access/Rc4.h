#pragma once

#include <cstddef>

namespace jet {

// XORs `data` with the RC4 key stream of `key`: Jet masks part of its first
// page so (and encrypts whole pages so, which this reader refuses).
void Rc4Xor(const unsigned char* key, std::size_t keySize, unsigned char* data, std::size_t size);

} // namespace jet
