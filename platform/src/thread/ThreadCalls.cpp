// The Win32 thread calls.
#include <unistd.h>

#include "base/HandleTable.h"
#include "sync/CreationFaults.h"
#include "thread/SyncHub.h"
#include "thread/TaskThread.h"
#include "thread/ThreadQueues.h"
#include "win32/process.h"

using kelvra::platform::HandleTable;
using kelvra::platform::SyncHub;
using kelvra::platform::TaskObject;

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE proc, LPVOID param,
                           DWORD creationFlags, LPDWORD threadId) {
  if (proc == nullptr || creationFlags != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (kelvra::platform::CreationFaults::Instance().TakeThreadFailure()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto task = std::make_shared<TaskObject>();
  if (!kelvra::platform::TaskThread::Start({task}, [proc, param] { return proc(param); })) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (threadId != nullptr) {
    std::lock_guard lock(SyncHub::Instance().mutex());
    *threadId = task->id();
  }
  return HandleTable::Instance().Add(task);
}

DWORD WINAPI GetCurrentThreadId() { return kelvra::platform::ThreadQueues::CurrentId(); }

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto task = HandleTable::Instance().FindAs<TaskObject>(thread);
  if (!task || exitCode == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(SyncHub::Instance().mutex());
  *exitCode = task->exitCode();
  return TRUE;
}
