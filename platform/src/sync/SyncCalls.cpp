// The Win32 event, mutex, wait and interlocked calls.
#include <atomic>
#include <string>

#include "base/HandleTable.h"
#include "sync/CreationFaults.h"
#include "sync/EventObject.h"
#include "sync/MutexObject.h"
#include "sync/NamedObjects.h"
#include "sync/WaitEngine.h"
#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"

using kelvra::platform::EventObject;
using kelvra::platform::HandleTable;
using kelvra::platform::MutexObject;
using kelvra::platform::NamedObjects;
using kelvra::platform::SyncHub;
using kelvra::platform::ThreadQueues;
using kelvra::platform::Waitable;
using kelvra::platform::WaitEngine;

namespace {

// The object named name as T: the existing one (error 183), a new one from make, or
// null (error 6) when the name belongs to another kind of object.
template <class T, class Make>
std::shared_ptr<T> NamedOrNew(LPCSTR name, Make make) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  NamedObjects& names = NamedObjects::Instance();
  if (name != nullptr && *name != '\0') {
    if (auto existing = names.FindLocked(name)) {
      auto typed = std::dynamic_pointer_cast<T>(existing);
      SetLastError(typed ? ERROR_ALREADY_EXISTS : ERROR_INVALID_HANDLE);
      return typed;
    }
  }
  std::shared_ptr<T> made = make();
  if (name != nullptr && *name != '\0') names.AddLocked(name, made);
  SetLastError(ERROR_SUCCESS);
  return made;
}

}  // namespace

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState,
                           LPCSTR name) {
  if (kelvra::platform::CreationFaults::Instance().TakeEventFailure()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto event = NamedOrNew<EventObject>(name, [&] {
    return std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE);
  });
  if (!event) return nullptr;
  const DWORD error = GetLastError();
  HANDLE handle = HandleTable::Instance().Add(event);
  SetLastError(error);
  return handle;
}

static BOOL SetEventState(HANDLE handle, bool state) {
  auto event = HandleTable::Instance().FindAs<EventObject>(handle);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(SyncHub::Instance().mutex());
  event->Set(state);
  SyncHub::Instance().NotifyAllLocked();
  return TRUE;
}

BOOL WINAPI SetEvent(HANDLE event) { return SetEventState(event, true); }

BOOL WINAPI ResetEvent(HANDLE event) { return SetEventState(event, false); }

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name) {
  bool made = false;
  auto mutex = NamedOrNew<MutexObject>(name, [&] {
    made = true;
    return std::make_shared<MutexObject>();
  });
  if (!mutex) return nullptr;
  const DWORD error = GetLastError();
  if (made) {
    std::lock_guard lock(SyncHub::Instance().mutex());
    NamedObjects::Instance().TrackMutexLocked(mutex);
    if (initialOwner) mutex->Acquire(ThreadQueues::CurrentId());
  }
  HANDLE handle = HandleTable::Instance().Add(mutex);
  SetLastError(error);
  return handle;
}

HANDLE WINAPI OpenMutexA(DWORD, BOOL, LPCSTR name) {
  if (name == nullptr || *name == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::shared_ptr<MutexObject> mutex;
  {
    std::lock_guard lock(SyncHub::Instance().mutex());
    auto found = NamedObjects::Instance().FindLocked(name);
    if (!found) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return nullptr;
    }
    mutex = std::dynamic_pointer_cast<MutexObject>(found);
  }
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return HandleTable::Instance().Add(mutex);
}

BOOL WINAPI ReleaseMutex(HANDLE handle) {
  auto mutex = HandleTable::Instance().FindAs<MutexObject>(handle);
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(SyncHub::Instance().mutex());
  if (!mutex->Release(ThreadQueues::CurrentId())) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  SyncHub::Instance().NotifyAllLocked();
  return TRUE;
}

DWORD WINAPI WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                    DWORD milliseconds) {
  if (count == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  auto objects = WaitEngine::Resolve(count, handles);
  if (!objects) return WAIT_FAILED;
  const DWORD thread = ThreadQueues::CurrentId();
  kelvra::platform::BlockedIn blocked("WaitForSingleObject/WaitForMultipleObjects");
  std::unique_lock lock(SyncHub::Instance().mutex());
  DWORD result = WAIT_TIMEOUT;
  SyncHub::Instance().Wait(lock, milliseconds, [&] {
    return WaitEngine::TryAcquireLocked(*objects, waitAll != FALSE, thread, result);
  });
  return result;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

LONG WINAPI InterlockedExchange(LONG volatile* target, LONG value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(target)).exchange(value);
}

LONG WINAPI InterlockedIncrement(LONG volatile* target) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(target)).fetch_add(1) + 1;
}

LONG WINAPI InterlockedDecrement(LONG volatile* target) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(target)).fetch_sub(1) - 1;
}

LONG WINAPI InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand) {
  std::atomic_ref<LONG>(*const_cast<LONG*>(target)).compare_exchange_strong(comparand, exchange);
  return comparand;
}

PVOID WINAPI InterlockedExchangePointer(PVOID volatile* target, PVOID value) {
  return std::atomic_ref<PVOID>(*const_cast<PVOID*>(target)).exchange(value);
}
