// WaitWhileEqual and WakeAllWaiting through WaitOnAddress and WakeByAddressAll.
#include "platform/AtomicWait.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

void WaitOnValue(const volatile void* address, const void* old, size_t size) {
    WaitOnAddress(const_cast<volatile void*>(address), const_cast<void*>(old), size, INFINITE);
}

void WakeValueWaiters(void* address) { WakeByAddressAll(address); }

}  // namespace tabulist
