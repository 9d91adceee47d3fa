// Synchronisation objects of the stand-in: events, named mutexes and the waits on them
// (and on threads and processes, which are signalled when they end). Named objects share
// one process-wide namespace. Time-outs run on the settable clock: with the clock frozen
// a wait that would time out moves the clock forward by its time-out instead of waiting.
#pragma once

#include "win32/base.h"

#define INFINITE 0xFFFFFFFF
#define MAXDWORD 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_ABANDONED_0 WAIT_ABANDONED
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED 0xFFFFFFFF

#define SYNCHRONIZE 0x00100000L
#define EVENT_MODIFY_STATE 0x0002
#define EVENT_ALL_ACCESS 0x001F0003
#define MUTEX_MODIFY_STATE 0x0001
#define MUTEX_ALL_ACCESS 0x001F0001

#define ERROR_NOT_OWNER 288L
#define ERROR_INVALID_NAME 123L

// An event, auto-reset unless manualReset. A name already in use by an event gives
// that event and error 183; by another kind of object NULL and 6. NULL when a test
// makes creation fail (testkit/Windows.h).
HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                           LPCSTR name);
BOOL WINAPI SetEvent(HANDLE event);
BOOL WINAPI ResetEvent(HANDLE event);

// A mutex, owned by the calling thread when initialOwner. An existing name gives that
// mutex (not owned) and error 183. Recursive: each acquisition needs a release.
HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
// A new handle of the named mutex, or NULL with 2 when no mutex has that name.
HANDLE WINAPI OpenMutexA(DWORD access, BOOL inherit, LPCSTR name);
// FALSE with 288 when the calling thread does not own it.
BOOL WINAPI ReleaseMutex(HANDLE mutex);

// WAIT_OBJECT_0 when signalled (a free mutex is then owned by the caller, an auto-reset
// event cleared), WAIT_ABANDONED for a mutex whose owner ended without releasing it (now
// owned by the caller), WAIT_TIMEOUT, or WAIT_FAILED (6) for a bad handle.
DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                    DWORD milliseconds);

LONG WINAPI InterlockedExchange(LONG volatile* target, LONG value);
LONG WINAPI InterlockedIncrement(LONG volatile* target);
LONG WINAPI InterlockedDecrement(LONG volatile* target);
LONG WINAPI InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand);
PVOID WINAPI InterlockedExchangePointer(PVOID volatile* target, PVOID value);
