#include "addin/CDlgProgress.h"

#include <climits>
#include <iterator>
#include <string>

#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/ComBoundary.h"
#include "addin/LangFormat.h"
#include "addin/MessagePump.h"
#include "addin/SetDlgItemFont.h"
#include "resource.h"

namespace {

struct ProgressDialog {
  WORD id;
  const char* section;
};

constexpr ProgressDialog kDialogs[] = {
    {IDD_VCARD_EXPORT_PROGRESS, "IDD_VCARD_EXPORT_PROGRESS"},
    {IDD_VCARD_IMPORT_PROGRESS, "IDD_VCARD_IMPORT_PROGRESS"},
    {IDD_VCAL_EXPORT_PROGRESS, "IDD_VCAL_EXPORT_PROGRESS"},
    {IDD_VCAL_IMPORT_PROGRESS, "IDD_VCAL_IMPORT_PROGRESS"},
};

constexpr LocalizeRecord kLocalizeTable[] = {
    {LOCALIZE_LABEL, IDC_LABEL_BOLD, "IDC_LABEL_BOLD", 0},
    {LOCALIZE_LABEL, IDC_LBL2, "IDC_LBL2", 0},
    {LOCALIZE_LABEL, IDC_PROGR_STATE, "IDC_PROGR_STATE", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_PROGRESS, IDC_PROGRESS, "IDC_PROGRESS", 0},
    {LOCALIZE_LABEL, IDC_PROGR_NAME, "IDC_PROGR_NAME", LOCALIZE_RUNTIME_TEXT},
    {LOCALIZE_BUTTON, IDC_BTN_HELP, "IDC_BTN_HELP", 0},
    {LOCALIZE_BUTTON, IDCANCEL, "IDCANCEL", 0},
};

// Results of the wait in Start, by handle.
enum : DWORD { kReady = 0, kThreadEnded = 1 };

// Counters never wrap: a run that keeps adding stops at the top of the range.
int AddClamped(int a, int b) {
  long long sum = static_cast<long long>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

}  // namespace

CDlgProgress::~CDlgProgress() { Close(); }

bool CDlgProgress::Start(HWND parent, WORD dialogId) {
  Close();
  m_hParent = parent;
  m_dialogId = dialogId;
  m_counterFormat = g_Lang.GetText("IDS_PROGR_FORMAT");
  m_hDlg = nullptr;
  m_bCancel = false;
  m_help = 0;
  m_closing = false;

  UniqueKernelHandle ready(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!ready) return false;
  m_hReady = ready.Get();
  m_thread.Reset(CreateThread(nullptr, 0, &CDlgProgress::ThreadProc, this, 0, nullptr));
  if (!m_thread) {
    m_hReady = nullptr;
    return false;
  }
  // The thread ending first means the dialog could not be made: nothing will paint.
  const HANDLE handles[] = {ready.Get(), m_thread.Get()};
  DWORD result;
  {
    MessagePump pump;
    result = pump.WaitFor(2, handles);
  }
  m_hReady = nullptr;
  if (result == kReady) return true;
  Close();
  return false;
}

void CDlgProgress::Close() {
  m_closing = true;
  if (HWND dlg = m_hDlg.load()) EndDialog(dlg, IDCANCEL);
  if (!m_thread) return;
  const HANDLE thread = m_thread.Get();
  {
    MessagePump pump;
    pump.WaitFor(1, &thread);
  }
  m_thread.Reset();
}

DWORD WINAPI CDlgProgress::ThreadProc(LPVOID param) {
  auto* self = static_cast<CDlgProgress*>(param);
  try {
    DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(self->m_dialogId), self->m_hParent,
                    &CDlgProgress::DialogProc, reinterpret_cast<LPARAM>(self));
  } catch (...) {
    self->Abandon("CDlgProgress::ThreadProc", self->m_hDlg.load());
  }
  self->m_hDlg = nullptr;
  return 0;
}

INT_PTR CALLBACK CDlgProgress::DialogProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lParam);
  auto* self = reinterpret_cast<CDlgProgress*>(GetWindowLongPtrA(dlg, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->OnMessage(dlg, message, wParam, lParam);
  } catch (...) {
    self->Abandon("CDlgProgress::DialogProc", dlg);
    return FALSE;
  }
}

void CDlgProgress::Abandon(const char* function, HWND dlg) noexcept {
  LogCaughtException(function);
  m_bCancel = true;
  if (dlg != nullptr) EndDialog(dlg, IDCANCEL);
}

INT_PTR CDlgProgress::OnMessage(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dlg);
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      return FALSE;
  }
}

void CDlgProgress::OnInitDialog(HWND dlg) {
  m_hDlg = dlg;
  _Localize();
  m_boldFont.Reset(SetDlgItemFont(dlg, IDC_LABEL_BOLD, TRUE, FALSE, FALSE));
  // Close may have come while the dialog was being made, before it could see it.
  if (m_closing) EndDialog(dlg, IDCANCEL);
}

void CDlgProgress::OnPaint() {
  // Only the first paint finds the event; the exchange keeps a later paint from
  // signalling a handle that Start has closed.
  if (HANDLE ready = m_hReady.exchange(nullptr)) SetEvent(ready);
}

BOOL CDlgProgress::OnCommand(int id) {
  switch (id) {
    case IDCANCEL:
      // The run decides when to stop; the dialog stays until it is closed.
      m_bCancel = true;
      SetDlgItemTextA(m_hDlg, IDCANCEL, g_Lang.GetText("IDS_WAIT").c_str());
      return TRUE;
    case IDC_BTN_HELP:
      m_help.exchange(1);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CDlgProgress::OnCtlColor(HDC dc, HWND ctrl) {
  HWND dlg = m_hDlg;
  int id = GetDlgCtrlID(ctrl);
  bool onPanel = id == IDC_PANEL || id == IDC_LABEL_BOLD || id == IDC_LBL2 || id == IDC_STATIC ||
                 (id == IDC_PROGR_STATE && GetDlgItem(dlg, IDC_PANEL));
  if (!onPanel) return FALSE;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

void CDlgProgress::_Localize() {
  for (const ProgressDialog& d : kDialogs) {
    if (d.id != m_dialogId) continue;
    g_Lang.LocalizeDlg(m_hDlg, static_cast<int>(std::size(kLocalizeTable)), kLocalizeTable,
                       d.section, 0);
    return;
  }
  g_Lib.WriteLog("invalid dialog id", m_dialogId, "CDlgProgress::_Localize", LOG_ERR, 1);
}

void CDlgProgress::SetTotal(int n) {
  m_total = n;
  SendDlgItemMessageA(m_hDlg, IDC_PROGRESS, PBM_SETRANGE32, 0, n);
  SetPos(0);
}

void CDlgProgress::AddTotal(int n) {
  m_total = AddClamped(m_total, n);
  SendDlgItemMessageA(m_hDlg, IDC_PROGRESS, PBM_SETRANGE32, 0, m_total);
  SetPos(m_position);
}

void CDlgProgress::Step() { SetPos(AddClamped(m_position, 1)); }

void CDlgProgress::SetPos(int position) {
  m_position = position;
  std::string counter = FormatLangText(m_counterFormat, {m_position, m_total});
  HWND dlg = m_hDlg;
  SendDlgItemMessageA(dlg, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  SetDlgItemTextA(dlg, IDC_PROGR_STATE, counter.c_str());
  MessagePump pump;
  pump.DispatchPending();
}

void CDlgProgress::SetName(const char* text) { SetDlgItemTextA(m_hDlg, IDC_PROGR_NAME, text); }

bool CDlgProgress::IsHelpPressed() { return m_help.exchange(0) != 0; }
