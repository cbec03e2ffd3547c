#pragma once

// COM start-up and clean-up for the calling thread. The Windows build calls
// CoInitialize and CoUninitialize here; elsewhere there is nothing to start.
namespace store {
inline void ComInitializeThread() {}
inline void ComUninitializeThread() {}
} // namespace store
