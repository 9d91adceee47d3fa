// The connection object: the one object Outlook creates in the add-in. It starts and
// ends the add-in with Outlook, keeps one CExplorer per explorer window, answers the
// ribbon's callbacks and runs the wizards and commands that the ribbon, the command
// bars and the Kelvra application ask for.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "addin/CDovantEngine.h"
#include "addin/CExplorer.h"
#include "addin/IKelvra.h"
#include "addin/ILibEvents.h"
#include "atl/atlbase.h"
#include "atl/atlcom.h"
#include "office/office.h"
#include "outlook/outlook.h"
#include "resource.h"
#include "win32/owners.h"

// Sink ids of the connection object's two Outlook event sinks.
inline constexpr UINT kNewExplorerSinkId = 1;
inline constexpr UINT kQuitSinkId = 2;

class ATL_NO_VTABLE CConnect
    : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
      public ATL::CComCoClass<CConnect, &CLSID_Connect>,
      public ATL::IDispatchImpl<AddInDesignerObjects::_IDTExtensibility2,
                                &__uuidof(AddInDesignerObjects::_IDTExtensibility2),
                                &AddInDesignerObjects::LIBID_AddInDesignerObjects, 1, 0>,
      public ATL::IDispatchImpl<Office::IRibbonExtensibility,
                                &__uuidof(Office::IRibbonExtensibility), &Office::LIBID_Office, 2,
                                5>,
      public ATL::IDispatchImpl<IKelvra, &__uuidof(IKelvra), &LIBID_KelvraLib, 1, 0>,
      public ILibEvents,
      public ATL::IDispEventSimpleImpl<kNewExplorerSinkId, CConnect,
                                       &__uuidof(Outlook::ExplorersEvents)>,
      public ATL::IDispEventSimpleImpl<kQuitSinkId, CConnect,
                                       &__uuidof(Outlook::ApplicationEvents)> {
 public:
  CConnect();
  ~CConnect();
  CConnect(const CConnect&) = delete;
  CConnect& operator=(const CConnect&) = delete;

  DECLARE_REGISTRY_RESOURCEID(IDR_CONNECT)
  DECLARE_NOT_AGGREGATABLE(CConnect)

  BEGIN_COM_MAP(CConnect)
    COM_INTERFACE_ENTRY2(IDispatch, IKelvra)
    COM_INTERFACE_ENTRY(IKelvra)
    COM_INTERFACE_ENTRY(AddInDesignerObjects::_IDTExtensibility2)
    COM_INTERFACE_ENTRY(Office::IRibbonExtensibility)
  END_COM_MAP()

  BEGIN_SINK_MAP(CConnect)
    SINK_ENTRY_INFO(kNewExplorerSinkId, __uuidof(Outlook::ExplorersEvents),
                    Outlook::kDispidNewExplorer, &CConnect::OnNewExplorer, &kNewExplorerInfo)
    SINK_ENTRY_INFO(kQuitSinkId, __uuidof(Outlook::ApplicationEvents), Outlook::kDispidQuit,
                    &CConnect::OnQuit, &kQuitInfo)
  END_SINK_MAP()

  // --- _IDTExtensibility2: each returns S_OK.
  STDMETHODIMP OnConnection(IDispatch* application, AddInDesignerObjects::ext_ConnectMode mode,
                            IDispatch* addInInst, SAFEARRAY** custom) override;
  STDMETHODIMP OnDisconnection(AddInDesignerObjects::ext_DisconnectMode mode,
                               SAFEARRAY** custom) override;
  STDMETHODIMP OnAddInsUpdate(SAFEARRAY** custom) override;
  STDMETHODIMP OnStartupComplete(SAFEARRAY** custom) override;
  STDMETHODIMP OnBeginShutdown(SAFEARRAY** custom) override;

  // --- IRibbonExtensibility.
  STDMETHODIMP GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override;

  // --- IKelvra: S_OK unless the control's id cannot be read.
  STDMETHODIMP Button_OnAction(IDispatch* control) override;
  STDMETHODIMP Control_GetScreentip(IDispatch* control, BSTR* text) override;
  STDMETHODIMP Control_GetImage(IDispatch* control, IPictureDisp** image) override;
  STDMETHODIMP Control_GetLabel(IDispatch* control, BSTR* text) override;
  STDMETHODIMP RibbonUI_OnLoad(Office::IRibbonUI* ribbonUI) override;
  STDMETHODIMP Control_GetEnabled(IDispatch* control, VARIANT_BOOL* enabled) override;
  STDMETHODIMP DynamicMenu_GetContent(IDispatch* control, BSTR* xml) override;

  // --- ILibEvents.
  void ShowSelectAction() override;
  void OnProfilesChanged() override;
  int OnOpenWizard(HWND parent, bool exportItems, bool contacts) override;

  // --- Handlers of the ribbon, the command bars and the action-choice dialog. The
  // wizards return the engine's result (-1 without an engine), the others whether the
  // command reached the Kelvra application.
  int ShowContactExportWizard();
  int ShowContactImportWizard();
  int ShowCalendarExportWizard();
  int ShowCalendarImportWizard();
  bool ShowOpenMain();
  bool SyncAll();
  bool NewProfile();
  bool ShowHelp();
  bool ShowAbout();
  bool OnClickSync(const char* profileKey);
  // Brings Outlook's active window to the front, then runs the debug dialog over the
  // active window. Throws what the Outlook calls throw.
  void ShowDebugDialog();
  // Deletes the CExplorer of every window Outlook has closed, keeping the others' order.
  void RemoveClosedExplorers();

  // --- Outlook's events.
  void STDMETHODCALLTYPE OnNewExplorer(IDispatch* explorer);
  void STDMETHODCALLTYPE OnQuit();

  // The state, for the host and for tests.
  bool IsStarted() const { return m_bStarted; }
  std::size_t ExplorerCount() const { return m_explorers.size(); }
  const CDovantEngine* GetEngine() const { return m_pEngine.get(); }

 private:
  static const _ATL_FUNC_INFO kNewExplorerInfo;
  static const _ATL_FUNC_INFO kQuitInfo;

  using NewExplorerSink =
      ATL::IDispEventSimpleImpl<kNewExplorerSinkId, CConnect, &__uuidof(Outlook::ExplorersEvents)>;
  using QuitSink =
      ATL::IDispEventSimpleImpl<kQuitSinkId, CConnect, &__uuidof(Outlook::ApplicationEvents)>;

  // OnConnection's work; throws what the Outlook calls throw.
  HRESULT ConnectTo(IDispatch* application);
  // Throws _com_error(E_OUTOFMEMORY) when the array cannot grow.
  void AddExplorer(IDispatch* explorer, bool newWindow);
  // AddExplorer for an event or a COM method: a failure is logged, never thrown.
  void AddExplorerLogged(IDispatch* explorer, bool newWindow, const char* function);
  void StartOnce();
  void StopEngine();
  void ChooseLanguage();
  void ConnectSinks();
  void DisconnectSinks();
  int RunWizard(int (CDovantEngine::*entry)(HWND), HWND parent, const char* function);
  int RunChosenAction(int action);

  Outlook::_ApplicationPtr m_spApp;
  Office::IRibbonUIPtr m_spRibbonUI;
  std::unique_ptr<CDovantEngine> m_pEngine;
  bool m_bStarted = false;
  std::vector<std::unique_ptr<CExplorer>> m_explorers;
  Outlook::_ExplorersPtr m_spExplorers;
  UniqueKernelHandle m_hMutex;
  // The events window was made for this object and not destroyed yet.
  bool m_bEventsWnd = false;
};

// The name of the mutex the add-in holds while it is started, so that the Kelvra
// application can see it runs.
inline constexpr const char* kAddinMutexName = "Ostrane.Kelvra.Addin";
