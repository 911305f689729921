#include "platform/critical_section.h"

#include <windows.h>

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(CriticalSection::storage), "lock storage too small");

static CRITICAL_SECTION* Native(CriticalSection* lock) {
    return reinterpret_cast<CRITICAL_SECTION*>(lock->storage);
}

void InitLock(CriticalSection* lock, unsigned long spinCount) {
    InitializeCriticalSectionAndSpinCount(Native(lock), spinCount);
}

void EnterLock(CriticalSection* lock) { EnterCriticalSection(Native(lock)); }

void LeaveLock(CriticalSection* lock) { LeaveCriticalSection(Native(lock)); }

void DeleteLock(CriticalSection* lock) { DeleteCriticalSection(Native(lock)); }
