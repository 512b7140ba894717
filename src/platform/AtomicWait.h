#pragma once

#include <atomic>
#include <cstddef>

namespace tabulist {

// Waits while value still holds old (it may return early: callers wait in a loop), and wakes
// every thread waiting on value. On Windows through the system's WaitOnAddress: the C++
// library's own atomic wait of MinGW's GCC 12, which has no futex to build on, can miss a
// wake-up and leave a listing waiting for ever.
#ifdef _WIN32
void WaitOnValue(const volatile void* address, const void* old, size_t size);
void WakeValueWaiters(void* address);

template <typename T>
void WaitWhileEqual(const std::atomic<T>& value, T old) {
    static_assert(sizeof(std::atomic<T>) == sizeof(T) && std::atomic<T>::is_always_lock_free);
    WaitOnValue(&value, &old, sizeof(T));
}
template <typename T>
void WakeAllWaiting(std::atomic<T>& value) {
    WakeValueWaiters(&value);
}
#else
template <typename T>
void WaitWhileEqual(const std::atomic<T>& value, T old) {
    value.wait(old, std::memory_order_acquire);
}
template <typename T>
void WakeAllWaiting(std::atomic<T>& value) {
    value.notify_all();
}
#endif

}  // namespace tabulist
