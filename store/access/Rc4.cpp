#include "store/access/Rc4.h"

#include <array>
#include <utility>

namespace jet {

void Rc4Xor(const unsigned char* key, std::size_t keySize, unsigned char* data, std::size_t size)
{
    std::array<unsigned char, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<unsigned char>(i);
    unsigned j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % keySize]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    unsigned x = 0;
    unsigned y = 0;
    for (std::size_t n = 0; n < size; ++n) {
        x = (x + 1) & 0xFF;
        y = (y + state[x]) & 0xFF;
        std::swap(state[x], state[y]);
        data[n] ^= state[(state[x] + state[y]) & 0xFF];
    }
}

} // namespace jet
