// The progress window of the conversion runs. The run works on the calling thread
// (Outlook's), so the dialog runs modally on a thread of its own and keeps painting and
// answering its buttons; the run drives it with messages sent across the threads and
// polls the Cancel and Help flags between items.
#pragma once

#include <atomic>
#include <string>

#include "win32/owners.h"
#include "win32/windows.h"

class CDlgProgress {
 public:
  CDlgProgress() = default;
  // Closes a dialog that is still open before the font it uses goes.
  virtual ~CDlgProgress();
  CDlgProgress(const CDlgProgress&) = delete;
  CDlgProgress& operator=(const CDlgProgress&) = delete;

  // Shows dialog dialogId (one of the four progress dialogs) owned by parent and
  // returns once it has painted; false when it could not be shown, with nothing left
  // open. A dialog still open from an earlier start is closed first.
  bool Start(HWND parent, WORD dialogId);
  // Range 0..n, position 0.
  void SetTotal(int n);
  // Widens the range by n and keeps the position.
  void AddTotal(int n);
  // Moves the bar, rewrites the counter text and handles the calling thread's messages.
  void SetPos(int position);
  void Step();
  void SetName(const char* text);
  // Ends the dialog and waits for its thread, handling messages meanwhile.
  void Close();
  // True once for each click on Help.
  bool IsHelpPressed();

  // Set by the dialog when the user asked to cancel or the dialog failed; the run stops
  // at its next item.
  std::atomic<bool> m_bCancel{false};

 private:
  static DWORD WINAPI ThreadProc(LPVOID param);
  static INT_PTR CALLBACK DialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam);
  // Inside a catch block on the dialog's thread: nothing may leave it, so the exception
  // is logged under function, the dialog dlg ends and the run stops as if cancelled.
  void Abandon(const char* function, HWND dlg) noexcept;
  void OnInitDialog(HWND dlg);
  void OnPaint();
  BOOL OnCommand(int id);
  INT_PTR OnCtlColor(HDC dc, HWND ctrl);
  void _Localize();

  HWND m_hParent = nullptr;
  WORD m_dialogId = 0;
  // Written by the dialog thread, read by the run.
  std::atomic<HWND> m_hDlg{nullptr};
  // Lent to the dialog thread while Start waits; taken by the first paint.
  std::atomic<HANDLE> m_hReady{nullptr};
  // Tells a dialog still being created that Close came first.
  std::atomic<bool> m_closing{false};
  int m_position = 0;
  int m_total = 0;
  // The counter's format, read once a start: the language file is read from disk and
  // the run moves the bar at every item.
  std::string m_counterFormat;
  std::atomic<LONG> m_help{0};
  UniqueGdiObject<HFONT> m_boldFont;
  UniqueKernelHandle m_thread;
};
