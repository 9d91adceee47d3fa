// ATL's window wrapper and dialog classes, with the message-map macros.
//
// CDialogImpl<T> (and CAxDialogImpl<T>, which hosts no ActiveX controls here) runs the
// dialog of template T::IDD modally and hands its messages to T's message map.
#pragma once

#include "win32/commctrl.h"
#include "win32/dialog.h"
#include "win32/message.h"
#include "win32/window.h"

namespace ATL {

// Hooks of the window manager that carry the dialog object from DoModal to the first
// message of its window; not for use by the system.
namespace detail {
void BeginDialog(void* object);
// The object of the dialog being created on this thread (once), or null.
void* TakeDialog();
void AttachDialog(HWND wnd, void* object);
void* FindDialog(HWND wnd);
void DetachDialog(HWND wnd);
// The module whose resources hold the dialog template id (first registered first), or
// NULL.
HINSTANCE FindDialogInstance(UINT id);
}  // namespace detail

class CWindow {
 public:
  HWND m_hWnd = nullptr;

  CWindow(HWND wnd = nullptr) : m_hWnd(wnd) {}
  CWindow& operator=(HWND wnd) {
    m_hWnd = wnd;
    return *this;
  }
  operator HWND() const { return m_hWnd; }

  void Attach(HWND wnd) { m_hWnd = wnd; }
  HWND Detach() {
    HWND wnd = m_hWnd;
    m_hWnd = nullptr;
    return wnd;
  }

  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
  BOOL DestroyWindow() {
    if (!::DestroyWindow(m_hWnd)) return FALSE;
    m_hWnd = nullptr;
    return TRUE;
  }

  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
  }
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
  }

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  BOOL SetDlgItemText(int id, LPCSTR text) const { return ::SetDlgItemTextA(m_hWnd, id, text); }
  UINT GetDlgItemText(int id, LPSTR text, int count) const {
    return ::GetDlgItemTextA(m_hWnd, id, text, count);
  }
  BOOL SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) const {
    return ::SetDlgItemInt(m_hWnd, id, value, isSigned);
  }
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
  }
  LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, id, msg, wParam, lParam);
  }
  BOOL CheckDlgButton(int id, UINT check) const { return ::CheckDlgButton(m_hWnd, id, check); }
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  BOOL CheckRadioButton(int first, int last, int check) const {
    return ::CheckRadioButton(m_hWnd, first, last, check);
  }

  BOOL SetWindowText(LPCSTR text) const { return ::SetWindowTextA(m_hWnd, text); }
  int GetWindowText(LPSTR text, int count) const { return ::GetWindowTextA(m_hWnd, text, count); }
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

  BOOL GetWindowRect(LPRECT rect) const { return ::GetWindowRect(m_hWnd, rect); }
  BOOL GetClientRect(LPRECT rect) const { return ::GetClientRect(m_hWnd, rect); }
  BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  BOOL MoveWindow(const RECT* rect, BOOL repaint = TRUE) const {
    return ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left,
                        rect->bottom - rect->top, repaint);
  }
  BOOL ScreenToClient(LPPOINT point) const { return ::ScreenToClient(m_hWnd, point); }
  BOOL ClientToScreen(LPPOINT point) const { return ::ClientToScreen(m_hWnd, point); }
  int MapWindowPoints(HWND to, LPPOINT points, UINT count) const {
    return ::MapWindowPoints(m_hWnd, to, points, count);
  }

  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL Invalidate(BOOL erase = TRUE) const { return ::InvalidateRect(m_hWnd, nullptr, erase); }
  HWND SetFocus() const { return ::SetFocus(m_hWnd); }
  HWND GetParent() const { return ::GetParent(m_hWnd); }
  BOOL SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd); }

  LONG_PTR GetWindowLongPtr(int index) const { return ::GetWindowLongPtrA(m_hWnd, index); }
  LONG_PTR SetWindowLongPtr(int index, LONG_PTR value) const {
    return ::SetWindowLongPtrA(m_hWnd, index, value);
  }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }

  void SetFont(HFONT font, BOOL redraw = TRUE) const {
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  HFONT GetFont() const {
    return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
  }

  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) const {
    return ::SetTimer(m_hWnd, id, elapse, proc);
  }
  BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

  // Centres the window over its parent (or the screen).
  BOOL CenterWindow(HWND center = nullptr) const;
};

inline BOOL CWindow::CenterWindow(HWND center) const {
  RECT self{};
  RECT over{0, 0, 1024, 768};
  if (!::GetWindowRect(m_hWnd, &self)) return FALSE;
  if (center == nullptr) center = ::GetParent(m_hWnd);
  if (center != nullptr) ::GetWindowRect(center, &over);
  const LONG width = self.right - self.left;
  const LONG height = self.bottom - self.top;
  const LONG x = over.left + (over.right - over.left - width) / 2;
  const LONG y = over.top + (over.bottom - over.top - height) / 2;
  return ::MoveWindow(m_hWnd, x, y, width, height, FALSE);
}

// What a message map implements.
class CMessageMap {
 public:
  virtual BOOL ProcessWindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) = 0;

 protected:
  ~CMessageMap() = default;
};

template <class TBase = CWindow>
class CDialogImplBaseT : public TBase, public CMessageMap {
 public:
  virtual ~CDialogImplBaseT() = default;

  // The first message of the dialog's window: it takes the object over from DoModal
  // and puts the object's own procedure in place.
  static INT_PTR CALLBACK StartDialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CDialogImplBaseT*>(detail::TakeDialog());
    if (self == nullptr) return FALSE;
    self->m_hWnd = wnd;
    detail::AttachDialog(wnd, self);
    ::SetWindowLongPtrA(wnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&DialogProc));
    return DialogProc(wnd, msg, wParam, lParam);
  }

  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CDialogImplBaseT*>(detail::FindDialog(wnd));
    if (self == nullptr) return FALSE;
    LRESULT result = 0;
    const BOOL handled = self->ProcessWindowMessage(wnd, msg, wParam, lParam, result, 0);
    if (msg == WM_NCDESTROY) {
      detail::DetachDialog(wnd);
      self->m_hWnd = nullptr;
      self->OnFinalMessage(wnd);
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(msg)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(wnd, DWLP_MSGRESULT, result);
    return TRUE;
  }

  virtual void OnFinalMessage(HWND) {}

 private:
  static bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
      case WM_INITDIALOG:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSTATIC:
        return true;
      default:
        return false;
    }
  }
};

template <class T, class TBase = CWindow>
class CDialogImpl : public CDialogImplBaseT<TBase> {
 public:
  // The EndDialog value, or -1 when the template cannot be found or the dialog cannot
  // be created.
  INT_PTR DoModal(HWND parent = ::GetActiveWindow(), LPARAM initParam = 0) {
    detail::BeginDialog(static_cast<CDialogImplBaseT<TBase>*>(this));
    const INT_PTR result =
        ::DialogBoxParamA(detail::FindDialogInstance(T::IDD), MAKEINTRESOURCEA(T::IDD), parent,
                          &CDialogImplBaseT<TBase>::StartDialogProc, initParam);
    detail::TakeDialog();  // a dialog that was never created leaves nothing behind
    return result;
  }

  BOOL EndDialog(int result) { return ::EndDialog(this->m_hWnd, result); }

  // Moves the focus to the control as the dialog manager does.
  void GotoDlgCtrl(HWND control) const {
    ::SendMessageA(this->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  }
};

// The dialog with ActiveX control hosting on Windows; here there are no ActiveX
// controls, so its own message map only lets WM_INITDIALOG go on to the default
// handling.
template <class T, class TBase = CWindow>
class CAxDialogImpl : public CDialogImpl<T, TBase> {
 public:
  BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId = 0) override {
    if (mapId != 0 || msg != WM_INITDIALOG) return FALSE;
    BOOL handled = TRUE;
    result = OnInitDialog(msg, wParam, lParam, handled);
    return handled;
  }

  LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL& handled) {
    handled = FALSE;
    return 1;
  }
};

}  // namespace ATL

// Message maps: BEGIN_MSG_MAP(theClass) ... END_MSG_MAP() define the class's
// ProcessWindowMessage. Handlers:
//   MESSAGE_HANDLER:  LRESULT f(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled)
//   COMMAND_*:        LRESULT f(WORD notifyCode, WORD id, HWND control, BOOL& handled)
//   NOTIFY_*:         LRESULT f(int id, LPNMHDR header, BOOL& handled)
// A handler that clears handled lets the search go on.
#define BEGIN_MSG_MAP(theClass)                                                                   \
 public:                                                                                          \
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult, \
                            DWORD dwMsgMapID = 0) override {                                      \
    BOOL bHandled = TRUE;                                                                         \
    (void)hWnd;                                                                                   \
    (void)uMsg;                                                                                   \
    (void)wParam;                                                                                 \
    (void)lParam;                                                                                 \
    (void)lResult;                                                                                \
    (void)bHandled;                                                                               \
    switch (dwMsgMapID) {                                                                         \
      case 0:

#define ALT_MSG_MAP(msgMapID) \
  break;                      \
  case msgMapID:

#define KELVRA_ATL_HANDLE(condition, call) \
  if (condition) {                         \
    bHandled = TRUE;                       \
    lResult = call;                        \
    if (bHandled) return TRUE;             \
  }

#define MESSAGE_HANDLER(msg, func) \
  KELVRA_ATL_HANDLE(uMsg == (msg), func(uMsg, wParam, lParam, bHandled))

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func) \
  KELVRA_ATL_HANDLE(uMsg >= (msgFirst) && uMsg <= (msgLast), func(uMsg, wParam, lParam, bHandled))

#define KELVRA_ATL_COMMAND_CALL(func) \
  func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled)

#define COMMAND_HANDLER(id, code, func)                                              \
  KELVRA_ATL_HANDLE(uMsg == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) && \
                        HIWORD(wParam) == static_cast<WORD>(code),                   \
                    KELVRA_ATL_COMMAND_CALL(func))

#define COMMAND_ID_HANDLER(id, func)                                               \
  KELVRA_ATL_HANDLE(uMsg == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id), \
                    KELVRA_ATL_COMMAND_CALL(func))

#define COMMAND_CODE_HANDLER(code, func)                                             \
  KELVRA_ATL_HANDLE(uMsg == WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(code), \
                    KELVRA_ATL_COMMAND_CALL(func))

#define COMMAND_RANGE_HANDLER(idFirst, idLast, func)                                      \
  KELVRA_ATL_HANDLE(uMsg == WM_COMMAND && LOWORD(wParam) >= static_cast<WORD>(idFirst) && \
                        LOWORD(wParam) <= static_cast<WORD>(idLast),                      \
                    KELVRA_ATL_COMMAND_CALL(func))

#define KELVRA_ATL_NOTIFY_CALL(func) \
  func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam), bHandled)

#define NOTIFY_HANDLER(id, cd, func)                                                              \
  KELVRA_ATL_HANDLE(uMsg == WM_NOTIFY &&                                                          \
                        reinterpret_cast<LPNMHDR>(lParam)->idFrom == static_cast<UINT_PTR>(id) && \
                        reinterpret_cast<LPNMHDR>(lParam)->code == static_cast<UINT>(cd),         \
                    KELVRA_ATL_NOTIFY_CALL(func))

#define NOTIFY_ID_HANDLER(id, func)                                                                \
  KELVRA_ATL_HANDLE(                                                                               \
      uMsg == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->idFrom == static_cast<UINT_PTR>(id), \
      KELVRA_ATL_NOTIFY_CALL(func))

#define NOTIFY_CODE_HANDLER(cd, func)                                                        \
  KELVRA_ATL_HANDLE(                                                                         \
      uMsg == WM_NOTIFY && reinterpret_cast<LPNMHDR>(lParam)->code == static_cast<UINT>(cd), \
      KELVRA_ATL_NOTIFY_CALL(func))

#define CHAIN_MSG_MAP(theChainClass)                                                        \
  if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID)) \
    return TRUE;

#define END_MSG_MAP() \
  break;              \
  default:            \
    break;            \
    }                 \
    return FALSE;     \
    }
