#pragma once

#include <atomic>

namespace hostlink {

// The download dialog's cancel flag: set from the window's thread while the
// download reads it on its own.
class CancelFlag
{
public:
    void Set() { set_.store(true, std::memory_order_release); }
    void Clear() { set_.store(false, std::memory_order_release); }
    bool IsSet() const { return set_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> set_{false};
};

} // namespace hostlink
