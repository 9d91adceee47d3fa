#include "addin/CDlgDebug.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

#include "addin/Application.h"
#include "addin/CLib.h"
#include "addin/ComBoundary.h"
#include "addin/DebugDialogList.h"
#include "addin/ModulePath.h"
#include "addin/OptionsKeyPath.h"
#include "addin/PageText.h"
#include "addin/RegKey.h"
#include "win32/crt.h"
#include "win32/user.h"

namespace {

// Most hexadecimal digits a window handle has.
constexpr std::size_t kHandleDigits = 8;

// A window handle written "0x" and one to eight hexadecimal digits; nullopt for any
// other text.
std::optional<DWORD> ParseHandleText(const std::string& text) {
  if (text.size() < 3 || text.size() > 2 + kHandleDigits || text[0] != '0' ||
      (text[1] != 'x' && text[1] != 'X'))
    return std::nullopt;
  DWORD value = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isxdigit(c)) return std::nullopt;
    const DWORD digit = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
    value = value << 4 | digit;
  }
  return value;
}

bool SamePath(const char* a, const char* b) {
  return a != nullptr && b != nullptr && _stricmp(a, b) == 0;
}

}  // namespace

CDlgDebug::CDlgDebug()
    : m_languages(
          CLang::ListFiles(FolderOf(ModuleFileName(g_hInstance, MAX_PATH)).c_str(), "*.ini")) {}

LRESULT CDlgDebug::OnInitDialog(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
  ATL::CAxDialogImpl<CDlgDebug>::OnInitDialog(message, wParam, lParam, handled);
  handled = TRUE;
  SetDlgItemText(IDC_TXT_DEBUG_HWND, "0x0");
  _FillLanguages();
  _FillDialogs();
  return TRUE;
}

void CDlgDebug::_FillLanguages() {
  if (m_languages.empty()) {
    ::EnableWindow(GetDlgItem(IDC_CBO_DEBUG_LANG), FALSE);
    return;
  }
  for (std::size_t i = 0; i < m_languages.size(); ++i) {
    const LRESULT item = SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(m_languages[i].lang.c_str()));
    SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_SETITEMDATA, static_cast<WPARAM>(item),
                       static_cast<LPARAM>(i));
  }
  // The list is sorted: find the loaded file by the item data.
  WPARAM selected = 0;
  const LRESULT count = SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_GETCOUNT);
  for (LRESULT item = 0; item < count; ++item) {
    const LRESULT index =
        SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_GETITEMDATA, static_cast<WPARAM>(item));
    if (SamePath(m_languages[static_cast<std::size_t>(index)].path.c_str(), g_Lang.GetFileName()))
      selected = static_cast<WPARAM>(item);
  }
  SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_SETCURSEL, selected);
}

void CDlgDebug::_FillDialogs() {
  for (const DebugDialogEntry& entry : DebugDialogList()) {
    const LRESULT item = SendDlgItemMessage(IDC_CBO_DEBUG_DIALOG, CB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(entry.symbol));
    SendDlgItemMessage(IDC_CBO_DEBUG_DIALOG, CB_SETITEMDATA, static_cast<WPARAM>(item), entry.id);
  }
  SendDlgItemMessage(IDC_CBO_DEBUG_DIALOG, CB_SETCURSEL, DebugDialogList().size() - 1);
}

LRESULT CDlgDebug::_ChosenData(int listId) const {
  const LRESULT item = SendDlgItemMessage(listId, CB_GETCURSEL);
  if (item == CB_ERR) return -1;
  return SendDlgItemMessage(listId, CB_GETITEMDATA, static_cast<WPARAM>(item));
}

void CDlgDebug::_UseChosenLanguage() {
  const LRESULT index = _ChosenData(IDC_CBO_DEBUG_LANG);
  if (index < 0 || static_cast<std::size_t>(index) >= m_languages.size()) return;
  const CLang::FileInfo& chosen = m_languages[static_cast<std::size_t>(index)];
  if (SamePath(chosen.path.c_str(), g_Lang.GetFileName())) return;
  // With no language loaded at start-up there is no section to keep: the texts are
  // then looked up under the add-in's own.
  const char* section = g_Lang.GetSection();
  g_Lang.LoadFile(chosen.path.c_str(), section != nullptr ? section : CLang::kBaseSection);
}

void CDlgDebug::_ShowChosenDialog() {
  _UseChosenLanguage();
  // Created as the engine creates it; without it the pages show their defaults.
  RegKey optionsKey;
  optionsKey.Create(HKEY_CURRENT_USER, OptionsKeyPath(g_hInstance).c_str(), KEY_READ | KEY_WRITE);
  const LRESULT id = _ChosenData(IDC_CBO_DEBUG_DIALOG);
  const DebugDialogEntry* entry = id > 0 ? FindDebugDialog(static_cast<WORD>(id)) : nullptr;
  if (entry == nullptr || entry->show == nullptr) {
    MessageBoxA(m_hWnd, "Unknown dlg", "Error", MB_OK);
    return;
  }
  const DebugShowContext context{::GetActiveWindow(), m_hWnd, g_Application, optionsKey.Address()};
  entry->show(context, entry->id);
}

LRESULT CDlgDebug::OnShowDialog(WORD, WORD, HWND, BOOL&) {
  EventBoundary("CDlgDebug::OnShowDialog", [this] { _ShowChosenDialog(); });
  return 0;
}

LRESULT CDlgDebug::OnSlideShow(WORD, WORD, HWND, BOOL&) {
  EventBoundary("CDlgDebug::OnSlideShow", [this] {
    const LRESULT languages = SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_GETCOUNT);
    const LRESULT dialogs = SendDlgItemMessage(IDC_CBO_DEBUG_DIALOG, CB_GETCOUNT);
    // Without language files the dialogs still pass once, in the language loaded.
    for (LRESULT language = 0; language < std::max<LRESULT>(languages, 1); ++language) {
      if (languages > 0)
        SendDlgItemMessage(IDC_CBO_DEBUG_LANG, CB_SETCURSEL, static_cast<WPARAM>(language));
      for (LRESULT dialog = 0; dialog < dialogs; ++dialog) {
        SendDlgItemMessage(IDC_CBO_DEBUG_DIALOG, CB_SETCURSEL, static_cast<WPARAM>(dialog));
        _ShowChosenDialog();
      }
    }
  });
  return 0;
}

LRESULT CDlgDebug::OnShowHelp(WORD, WORD, HWND, BOOL&) {
  EventBoundary("CDlgDebug::OnShowHelp", [this] {
    g_Lib.ShowContextHelp(GetDlgItemString(m_hWnd, IDC_TXT_DEBUG_TOPIC).c_str());
  });
  return 0;
}

LRESULT CDlgDebug::OnSetForeground(WORD, WORD, HWND, BOOL&) {
  EventBoundary("CDlgDebug::OnSetForeground", [this] { _BringNamedWindowForward(); });
  return 0;
}

// A text that names no window handle fails as SetForegroundWindow fails for a handle
// that names no window.
void CDlgDebug::_BringNamedWindowForward() {
  const std::optional<DWORD> handle = ParseHandleText(GetDlgItemString(m_hWnd, IDC_TXT_DEBUG_HWND));
  DWORD error = ERROR_INVALID_WINDOW_HANDLE;
  if (handle) {
    if (::SetForegroundWindow(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(*handle)))) return;
    error = GetLastError();
  }
  char message[96];
  std::snprintf(message, sizeof message, "SetForegroundWindow( 0x%x ) failed, GetLastError = 0x%x",
                static_cast<unsigned>(handle.value_or(0)), static_cast<unsigned>(error));
  MessageBoxA(m_hWnd, message, "", MB_OK);
}

LRESULT CDlgDebug::OnClose(WORD, WORD, HWND, BOOL&) {
  EndDialog(IDCANCEL);
  return 0;
}
