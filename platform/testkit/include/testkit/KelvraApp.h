// The fake Kelvra application, the outside program of the command link.
//
// While it runs it holds the mutex "Ostrane.Kelvra.exe" from its own thread and owns a
// top-level window of class "Ostrane.Kelvra.MainWindow"; it records each WM_COPYDATA
// command it receives and, when a test asks, sends commands back to the window that
// sent the last command, from its own thread.
#pragma once

#include <string>
#include <vector>

#include "win32/windows.h"

namespace testkit {

struct KelvraAppOptions {
  // The window appears this many ms (settable clock) after the start; the mutex at once.
  DWORD windowDelayMs = 0;
  // No window ever appears.
  bool noWindow = false;
  // The program ends right after taking the mutex, before any window.
  bool endAtStart = false;
  // CreateProcessA of the program fails with this error (0: it starts).
  DWORD startError = 0;
};

struct KelvraAppCommand {
  std::string text;  // cbData bytes as sent
  HWND sender = nullptr;
  ULONG_PTR dwData = 0;
  DWORD cbData = 0;
  // SetForegroundWindow was called on the application's window since the previous
  // command.
  bool foreground = false;
};

// Registers the program at the Windows path (such as "<add-in folder>\Kelvra.exe"), so
// that CreateProcessA starts it with these options.
void InstallKelvraApp(const std::string& exePath, KelvraAppOptions options = {});
// Starts it now, as a user would; false when it already runs. Waits until it holds its
// mutex (and has its window unless delayed or without one).
bool StartKelvraApp(KelvraAppOptions options = {});
// Ends it (window and mutex gone) and waits for its end; nothing when it is not running.
void StopKelvraApp();
bool KelvraAppRunning();
// How often the program was started (by CreateProcessA or StartKelvraApp).
int KelvraAppStarts();
HWND KelvraAppWindow();

std::vector<KelvraAppCommand> KelvraAppReceived();
void ClearKelvraAppReceived();
// The result SendMessageA gives the add-in for each command (TRUE by default).
void SetKelvraAppReply(LRESULT reply);

// Sends the text from the application's thread with SendMessageA(WM_COPYDATA) to the
// window (NULL: the sender of the last command received), dwData 0, cbData the text's
// length (plus one with withNul). Returns once the add-in has handled it, with its
// result; 0 when the application is not running or there is no window to send to.
LRESULT KelvraAppSend(const std::string& text, HWND to = nullptr, bool withNul = false);

// Stops the application and forgets its installation and records.
void ResetKelvraApp();

}  // namespace testkit
