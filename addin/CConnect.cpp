// The connection object's life with Outlook: connection, the language choice, explorer
// windows, and the shut-down.
#include "addin/CConnect.h"

#include <cstdlib>
#include <new>

#include "addin/Application.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/ComBoundary.h"
#include "addin/GetOutlookVersion.h"
#include "addin/LinkCommands.h"
#include "addin/ModulePath.h"
#include "addin/RegString.h"
#include "addin/RunExeCmd.h"
#include "contacts/DovantCharConverter.h"
#include "win32/commctrl.h"
#include "win32/crt.h"
#include "win32/sync.h"
#include "win32/time.h"

namespace {

// Outlook 2000; older versions leave the add-in inactive.
constexpr int kFirstSupportedVersion = 9;
constexpr DWORD kModuleNameChars = 2048;

}  // namespace

const _ATL_FUNC_INFO CConnect::kNewExplorerInfo = {CC_STDCALL, VT_EMPTY, 1, {VT_DISPATCH}};
const _ATL_FUNC_INFO CConnect::kQuitInfo = {CC_STDCALL, VT_EMPTY, 0, {}};

CConnect::CConnect() {
  g_Application = nullptr;
  // The command bars' tags draw on the run-time library's generator.
  std::srand(GetTickCount());
}

CConnect::~CConnect() {
  // Outlook normally ends the add-in with OnBeginShutdown and Quit first; without them
  // nothing may still point at this object.
  DisconnectSinks();
  if (m_bEventsWnd) g_Lib.DestroyEventsWnd();
  m_explorers.clear();
  StopEngine();
  if (m_spApp != nullptr) g_Application = nullptr;
}

STDMETHODIMP CConnect::OnConnection(IDispatch* application, AddInDesignerObjects::ext_ConnectMode,
                                    IDispatch*, SAFEARRAY**) {
  const HRESULT result =
      ComBoundary("CConnect::OnConnection", [&] { return ConnectTo(application); });
  // A connection that failed before it kept the application leaves nothing pointing at it.
  if (m_spApp == nullptr) g_Application = nullptr;
  return result;
}

HRESULT CConnect::ConnectTo(IDispatch* application) {
  Outlook::_ApplicationPtr app(application);
  g_Application = app;
  // An object that is no Outlook application is treated like an Outlook too old to use.
  if (app == nullptr || GetOutlookVersion() < kFirstSupportedVersion) {
    g_Application = nullptr;
    return S_OK;
  }
  g_Lib.Init(g_hInstance);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
  if (!InitCommonControlsEx(&controls))
    g_Lib.Log(static_cast<int>(GetLastError()), "OnConnection", LOG_ERR, 1, "InitCommonControlsEx");
  ChooseLanguage();

  m_spApp = app;
  m_spExplorers = nullptr;
  Outlook::_Explorers* explorers = nullptr;
  const HRESULT listed = m_spApp->get_Explorers(&explorers);
  if (SUCCEEDED(listed))
    m_spExplorers.Attach(explorers);
  else
    g_LogTimer.Err("CConnect::OnConnection", listed, "Explorers");
  ConnectSinks();

  Outlook::_Explorer* active = nullptr;
  const HRESULT found = m_spApp->raw_ActiveExplorer(&active);
  Outlook::_ExplorerPtr activeExplorer(active, false);
  if (FAILED(found))
    g_LogTimer.Err("CConnect::OnConnection", found, "ActiveExplorer");
  else if (activeExplorer != nullptr)
    AddExplorerLogged(activeExplorer, false, "CConnect::OnConnection");
  return S_OK;
}

// The language file: the one cached in "LANG_" while it still is the language chosen
// in "LANG", else the first file of the add-in's folder for that language.
void CConnect::ChooseLanguage() {
  std::string lang = ReadRegString("LANG", "", false);
  std::string cached = ReadRegString("LANG_", "", false);
  const std::string folder = FolderOf(ModuleFileName(g_hInstance, kModuleNameChars));
  if (lang.empty()) {
    lang = ReadRegString("LANG", "", true);
    if (lang.empty()) lang = "EN";
    cached.clear();
    WriteRegString("LANG", lang.c_str());
    WriteRegString("LANG_", "");
  }
  if (!cached.empty()) {
    const std::string path = folder + "\\" + cached;
    if (g_Lang.LoadFile(path.c_str(), CLang::kBaseSection)) {
      if (_stricmp(g_Lang.GetLangId(), lang.c_str()) == 0) return;
      WriteRegString("LANG_", "");
      g_Lang.Clear();
    }
  }
  if (!g_Lang.Load(lang.c_str(), folder.c_str(), "*.ini", CLang::kBaseSection)) {
    g_Lib.Log(0, "CConnect::OnConnection", LOG_ERR, 1, "cant find lang file for lang=%s",
              lang.c_str());
    return;
  }
  std::string loaded = g_Lang.GetFileName();
  const std::string prefix = folder + "\\";
  if (loaded.compare(0, prefix.size(), prefix) == 0) loaded.erase(0, prefix.size());
  WriteRegString("LANG", g_Lang.GetLangId());
  WriteRegString("LANG_", loaded.c_str());
}

void CConnect::ConnectSinks() {
  if (m_spExplorers != nullptr) {
    const HRESULT advised = NewExplorerSink::DispEventAdvise(m_spExplorers);
    if (FAILED(advised)) g_LogTimer.Err("CConnect::OnConnection", advised, "NewExplorer sink");
  }
  const HRESULT advised = QuitSink::DispEventAdvise(m_spApp);
  if (FAILED(advised)) g_LogTimer.Err("CConnect::OnConnection", advised, "Quit sink");
}

// Both sinks end up not connected, even when their source refuses to let them go.
void CConnect::DisconnectSinks() {
  if (NewExplorerSink::m_dwEventCookie != NewExplorerSink::kNotConnected) {
    if (m_spExplorers != nullptr) NewExplorerSink::DispEventUnadvise(m_spExplorers);
    NewExplorerSink::m_dwEventCookie = NewExplorerSink::kNotConnected;
  }
  if (QuitSink::m_dwEventCookie != QuitSink::kNotConnected) {
    if (m_spApp != nullptr) QuitSink::DispEventUnadvise(m_spApp);
    QuitSink::m_dwEventCookie = QuitSink::kNotConnected;
  }
}

STDMETHODIMP CConnect::OnDisconnection(AddInDesignerObjects::ext_DisconnectMode, SAFEARRAY**) {
  return ComBoundary("CConnect::OnDisconnection", [&] {
    m_spRibbonUI = nullptr;
    return S_OK;
  });
}

STDMETHODIMP CConnect::OnAddInsUpdate(SAFEARRAY**) { return S_OK; }

STDMETHODIMP CConnect::OnStartupComplete(SAFEARRAY**) { return S_OK; }

STDMETHODIMP CConnect::OnBeginShutdown(SAFEARRAY**) {
  return ComBoundary("CConnect::OnBeginShutdown", [&]() -> HRESULT {
    m_hMutex.Reset();
    g_Lib.DestroyEventsWnd();
    m_bEventsWnd = false;
    return S_OK;
  });
}

// The converter, the engine, the events window and the mutex come with the first
// explorer window; the Kelvra application is then asked to greet the user.
void CConnect::StartOnce() {
  if (m_bStarted) return;
  g_CharConverter = new (std::nothrow) DovantCharConverter();
  m_pEngine.reset(new (std::nothrow) CDovantEngine(m_spApp, GetOutlookVersion()));
  m_bEventsWnd = g_Lib.CreateEventsWnd(this) != nullptr;
  m_hMutex.Reset(CreateMutexA(nullptr, TRUE, kAddinMutexName));
  RunExeCmd(link_commands::kShowWelcome.text, link_commands::kShowWelcome.foreground,
            link_commands::kShowWelcome.timeout);
  m_bStarted = true;
}

void CConnect::AddExplorer(IDispatch* explorer, bool newWindow) {
  StartOnce();
  try {
    m_explorers.push_back(std::make_unique<CExplorer>(explorer, newWindow, this));
  } catch (const std::bad_alloc&) {
    _com_issue_error(E_OUTOFMEMORY);
  }
}

void CConnect::AddExplorerLogged(IDispatch* explorer, bool newWindow, const char* function) {
  try {
    AddExplorer(explorer, newWindow);
  } catch (const _com_error& error) {
    g_LogTimer.Err(function, error.Error(), "AddExplorer failed");
  } catch (...) {
    LogCaughtException(function);
  }
}

void STDMETHODCALLTYPE CConnect::OnNewExplorer(IDispatch* explorer) {
  AddExplorerLogged(explorer, true, "CConnect::OnNewExplorer");
}

void CConnect::RemoveClosedExplorers() {
  for (std::size_t i = m_explorers.size(); i-- > 0;) {
    if (m_explorers[i]->GetExplorer() == nullptr)
      m_explorers.erase(m_explorers.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

// The engine and converter pointers and the started flag are cleared with what they
// held, so that a late request finds no engine instead of a deleted one.
void CConnect::StopEngine() {
  if (!m_bStarted) return;
  m_pEngine.reset();
  delete g_CharConverter;
  g_CharConverter = nullptr;
  m_bStarted = false;
}

void STDMETHODCALLTYPE CConnect::OnQuit() {
  EventBoundary("CConnect::OnQuit", [&] {
    m_explorers.clear();
    DisconnectSinks();
    StopEngine();
    m_spExplorers = nullptr;
    m_spApp = nullptr;
  });
  g_Application = nullptr;
}
