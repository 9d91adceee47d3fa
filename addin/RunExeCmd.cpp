#include "addin/RunExeCmd.h"

#include <cstdint>
#include <cstring>

#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/ModulePath.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace {

constexpr const char* kFunction = "CConnect::RunExeCmd";
constexpr const char* kAppMutex = "Ostrane.Kelvra.exe";
constexpr const char* kAppExe = "\\Kelvra.exe";
constexpr const char* kAppWindowClass = "Ostrane.Kelvra.MainWindow";
constexpr DWORD kModuleNameChars = 2048;
constexpr DWORD kStepMs = 10;

unsigned HandleBits(const void* h) {
  return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(h));
}

// Starts the executable beside the add-in; on success process holds the new process.
bool StartApplication(UniqueKernelHandle& process) {
  std::string exe = FolderOf(ModuleFileName(g_Lib.GetInstance(), kModuleNameChars)) + kAppExe;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    g_Lib.WriteLog("CreateProcess", static_cast<int>(GetLastError()), kFunction, LOG_ERR, 1);
    return false;
  }
  process.Reset(pi.hProcess);
  const UniqueKernelHandle thread(pi.hThread);
  return true;
}

// Waits in steps of 10 ms for the application's window while the application is alive:
// it waits on the application's mutex when there is one (signalled once the application
// let it go), else on the process just started (signalled when it ended). Null when the
// time ran out or the application went.
HWND WaitForAppWindow(HANDLE mutex, HANDLE process, DWORD timeoutMs) {
  HANDLE waitOn = mutex ? mutex : process;
  const bool unlimited = timeoutMs == INFINITE;
  const DWORD steps = timeoutMs / kStepMs + (timeoutMs % kStepMs ? 1 : 0);
  HWND wnd = nullptr;
  DWORD wait = WAIT_TIMEOUT;
  DWORD done = 0;
  while (unlimited || done < steps) {
    wait = WaitForSingleObject(waitOn, kStepMs);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
      // The wait took the mutex over: it is not ours to keep.
      if (mutex) ReleaseMutex(mutex);
      return nullptr;
    }
    if (wait == WAIT_FAILED) return nullptr;
    ++done;
    wnd = FindWindowA(kAppWindowClass, nullptr);
    if (wnd) break;
  }
  g_LogTimer.Inf(3, kFunction, "i=%d, hWndTo=0x%x, hMutex=0x%x, hProcess=0x%x, dwWait=0x%x",
                 static_cast<int>(done), HandleBits(wnd), HandleBits(mutex), HandleBits(process),
                 static_cast<unsigned>(wait));
  return wnd;
}

}  // namespace

bool RunExeCmd(const char* text, bool foreground, DWORD timeoutMs) {
  UniqueKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kAppMutex));
  UniqueKernelHandle process;
  if (!mutex && !StartApplication(process)) return false;

  HWND wnd = FindWindowA(kAppWindowClass, nullptr);
  if (!wnd) {
    wnd = WaitForAppWindow(mutex.Get(), process.Get(), timeoutMs);
    if (!wnd) return false;
  }
  if (text && *text) {
    if (foreground) SetForegroundWindow(wnd);
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::strlen(text));
    data.lpData = const_cast<char*>(text);
    SendMessageA(wnd, WM_COPYDATA, reinterpret_cast<WPARAM>(g_Lib.GetEventsWnd()),
                 reinterpret_cast<LPARAM>(&data));
  }
  return true;
}
