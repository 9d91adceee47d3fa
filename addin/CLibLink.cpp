// The receiving end of the command link: CLib's hidden events window and what it does
// with the commands the Kelvra application sends to it.
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "addin/Application.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/ComBoundary.h"
#include "addin/ILibEvents.h"
#include "addin/LinkCommands.h"
#include "addin/ReceivedCommand.h"
#include "addin/RunExeCmd.h"
#include "outlook/Explorer.h"
#include "win32/window.h"

namespace {

constexpr const char* kEventsWndClass = "Ostrane.Kelvra.HiddenWnd";
// The one-shot timer that hands "ProfilesChanged" on after the sender's call returned.
constexpr UINT_PTR kProfilesChangedTimer = 3;

// Brings Outlook's window to the front so that the action choice opens over it.
void ActivateOutlook() {
  if (!g_Application) return;
  try {
    Outlook::_ExplorerPtr explorer = g_Application->ActiveExplorer();
    if (explorer) explorer->Activate();
  } catch (const _com_error& error) {
    // The dialog still opens, only not in front.
    g_LogTimer.War("CLib::OnCopyData", error.Error(), "cannot activate the explorer");
  }
}

}  // namespace

HWND CLib::CreateEventsWnd(ILibEvents* sink) {
  // A window left from an earlier call would go on delivering to the old sink.
  DestroyEventsWnd();
  m_pEvents = sink;
  if (!sink) {
    g_LogTimer.Err("CLib::CreateEventsWnd", 0, "pNotify is NULL");
    return nullptr;
  }
  HINSTANCE instance = GetInstance();
  WNDCLASSA wc{};
  wc.lpfnWndProc = &CLib::EventsWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kEventsWndClass;
  // A class left from an earlier window of this module is fine to create from again.
  RegisterClassA(&wc);
  m_hEventsWnd = CreateWindowExA(0, kEventsWndClass, kEventsWndClass, WS_OVERLAPPEDWINDOW, 0, 0,
                                 100, 100, nullptr, nullptr, instance, this);
  return m_hEventsWnd;
}

void CLib::DestroyEventsWnd() {
  m_pEvents = nullptr;
  if (m_hEventsWnd) DestroyWindow(m_hEventsWnd);
  m_hEventsWnd = nullptr;
}

LRESULT CALLBACK CLib::EventsWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CLib*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return 0;
    }
    case WM_COPYDATA: {
      if (!self) return FALSE;
      BOOL taken = FALSE;
      EventBoundary("CLib::OnCopyData", [&] {
        taken = self->OnCopyData(reinterpret_cast<HWND>(wParam),
                                 reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      });
      return taken;
    }
    case WM_TIMER:
      if (self) EventBoundary("CLib::OnEventsTimer", [&] { self->OnEventsTimer(wnd, wParam); });
      return 0;
    default:
      return DefWindowProcA(wnd, message, wParam, lParam);
  }
}

void CLib::OnEventsTimer(HWND wnd, UINT_PTR id) {
  KillTimer(wnd, id);
  if (id == kProfilesChangedTimer && m_pEvents) m_pEvents->OnProfilesChanged();
}

BOOL CLib::OnCopyData(HWND sender, const COPYDATASTRUCT* data) {
  if (!data || data->cbData == 0) return FALSE;
  // A block the sender says is there but is not, or one whose length cannot take the
  // terminating NUL, is refused rather than read.
  if (!data->lpData || data->cbData == std::numeric_limits<DWORD>::max()) return FALSE;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[data->cbData + 1]);
  if (!buffer) return FALSE;
  std::memcpy(buffer.get(), data->lpData, data->cbData);
  buffer[data->cbData] = '\0';
  std::string text = buffer.get();
  buffer.reset();

  g_LogTimer.Inf(3, "CLib::OnCopyData", "%s", text.c_str());
  ReceivedCommand command = ParseReceivedCommand(text);
  switch (command.request) {
    case LinkRequest::kSelectAction:
      ActivateOutlook();
      if (m_pEvents) m_pEvents->ShowSelectAction();
      break;
    case LinkRequest::kExportContacts:
      if (m_pEvents) m_pEvents->OnOpenWizard(sender, true, true);
      break;
    case LinkRequest::kImportContacts:
      if (m_pEvents) m_pEvents->OnOpenWizard(sender, false, true);
      break;
    case LinkRequest::kExportEvents:
      if (m_pEvents) m_pEvents->OnOpenWizard(sender, true, false);
      break;
    case LinkRequest::kImportEvents:
      if (m_pEvents) m_pEvents->OnOpenWizard(sender, false, false);
      break;
    case LinkRequest::kProfilesChanged:
      // The application waits in SendMessage until this returns; the menus are rebuilt
      // after it has gone on.
      if (m_hEventsWnd) SetTimer(m_hEventsWnd, kProfilesChangedTimer, 1, nullptr);
      break;
    case LinkRequest::kUnknown:
      g_LogTimer.War("CLib::OnCopyData", 0, "Unknown function - \"%s\"", command.function.c_str());
      break;
  }
  return TRUE;
}

bool CLib::ShowContextHelp(const char* topic) {
  const LinkCommand& help = link_commands::kShowContextHelp;
  if (!topic || !*topic) return RunExeCmd(help.text, help.foreground, help.timeout);
  std::string text = std::string(help.text) + "," + topic;
  return RunExeCmd(text.c_str(), help.foreground, help.timeout);
}

bool CLib::ShowAbout() {
  const LinkCommand& about = link_commands::kShowAbout;
  return RunExeCmd(about.text, about.foreground, about.timeout);
}
