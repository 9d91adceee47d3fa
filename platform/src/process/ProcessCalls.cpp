// The Win32 process calls over the program table: a process is a registered program
// run on a thread of its own.
#include "base/HandleTable.h"
#include "process/ProgramTable.h"
#include "sync/Waitable.h"
#include "thread/SyncHub.h"
#include "thread/TaskThread.h"
#include "win32/process.h"

using kelvra::platform::HandleTable;
using kelvra::platform::ProgramTable;
using kelvra::platform::SyncHub;
using kelvra::platform::TaskObject;

namespace {

// The application name, else the command line's first word (quoted or not).
std::string ProgramPath(LPCSTR applicationName, LPCSTR commandLine) {
  if (applicationName != nullptr) return applicationName;
  std::string line = commandLine != nullptr ? commandLine : "";
  if (!line.empty() && line.front() == '"') return line.substr(1, line.find('"', 1) - 1);
  return line.substr(0, line.find(' '));
}

}  // namespace

BOOL WINAPI CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
                           LPSTARTUPINFOA startupInfo, LPPROCESS_INFORMATION info) {
  if (startupInfo == nullptr || info == nullptr ||
      (applicationName == nullptr && commandLine == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD error = 0;
  auto main = ProgramTable::Instance().Find(ProgramPath(applicationName, commandLine), error);
  if (!main) {
    SetLastError(error);
    return FALSE;
  }
  auto process = std::make_shared<TaskObject>();
  auto thread = std::make_shared<TaskObject>();
  std::string line = commandLine != nullptr ? commandLine : "";
  if (!kelvra::platform::TaskThread::Start({thread, process},
                                           [main = *main, line] { return main(line); })) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  {
    std::lock_guard lock(SyncHub::Instance().mutex());
    info->dwThreadId = thread->id();
    info->dwProcessId = thread->id() + 2;  // its own number, never a thread's
  }
  info->hProcess = HandleTable::Instance().Add(process);
  info->hThread = HandleTable::Instance().Add(thread);
  return TRUE;
}

BOOL WINAPI GetExitCodeProcess(HANDLE process, LPDWORD exitCode) {
  auto task = HandleTable::Instance().FindAs<TaskObject>(process);
  if (!task || exitCode == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard lock(SyncHub::Instance().mutex());
  *exitCode = task->exitCode();
  return TRUE;
}
