#pragma once

// The lock the canvas guards its images with. On Windows it is a CRITICAL_SECTION, elsewhere a
// standard mutex; either lives in the opaque storage below so that no caller needs windows.h.
struct CriticalSection {
    alignas(16) unsigned char storage[64];
};

void InitLock(CriticalSection* lock, unsigned long spinCount);
void EnterLock(CriticalSection* lock);
void LeaveLock(CriticalSection* lock);
void DeleteLock(CriticalSection* lock);

// Holds a lock for the rest of a scope.
struct LockHold {
    explicit LockHold(CriticalSection* held) : lock(held) { EnterLock(lock); }
    ~LockHold() { LeaveLock(lock); }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;
    CriticalSection* lock;
};
