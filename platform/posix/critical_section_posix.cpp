#include "platform/critical_section.h"

#include <mutex>
#include <new>

static_assert(sizeof(std::mutex) <= sizeof(CriticalSection::storage), "lock storage too small");
static_assert(alignof(std::mutex) <= alignof(CriticalSection), "lock storage misaligned");

static std::mutex* Native(CriticalSection* lock) {
    return std::launder(reinterpret_cast<std::mutex*>(lock->storage));
}

// A mutex does not spin; the count only matters to the Windows lock.
void InitLock(CriticalSection* lock, unsigned long) { new (lock->storage) std::mutex; }

void EnterLock(CriticalSection* lock) { Native(lock)->lock(); }

void LeaveLock(CriticalSection* lock) { Native(lock)->unlock(); }

void DeleteLock(CriticalSection* lock) { Native(lock)->~mutex(); }
