// The add-in's object for one Outlook explorer window: its command-bar controls (Outlook
// before 2010), the window's events and the clicks of its own controls.
//
// Clicks of the sync popup's items and of both open items reach this window through the
// sync-all button's sink: Office raises a button's click on every control that carries
// the clicked one's tag, and the tag is this window's own. The controls with a sink of
// their own carry no tag or a tag of their own.
#pragma once

#include <cstddef>

#include "atl/DispEvent.h"
#include "office/office.h"
#include "outlook/Events.h"
#include "outlook/Explorer.h"
#include "win32/base.h"

class CConnect;
class CExplorer;

template <UINT nId>
using CExplorerButtonSink =
    ATL::IDispEventSimpleImpl<nId, CExplorer, &__uuidof(Office::_CommandBarButtonEvents)>;
template <UINT nId>
using CExplorerWindowSink =
    ATL::IDispEventSimpleImpl<nId, CExplorer, &__uuidof(Outlook::ExplorerEvents)>;

class CExplorer : public CExplorerButtonSink<1>,
                  public CExplorerButtonSink<2>,
                  public CExplorerButtonSink<3>,
                  public CExplorerButtonSink<4>,
                  public CExplorerWindowSink<5>,
                  public CExplorerWindowSink<6>,
                  public CExplorerWindowSink<8>,
                  public CExplorerButtonSink<10>,
                  public CExplorerButtonSink<11>,
                  public CExplorerButtonSink<12>,
                  public CExplorerButtonSink<13>,
                  public CExplorerButtonSink<14>,
                  public CExplorerButtonSink<15>,
                  public CExplorerButtonSink<16> {
 public:
  // explorer: the Outlook explorer; newWindow: announced by NewExplorer (true) or
  // there at start-up (false); owner receives the clicks.
  CExplorer(IDispatch* explorer, bool newWindow, CConnect* owner);
  ~CExplorer();
  CExplorer(const CExplorer&) = delete;
  CExplorer& operator=(const CExplorer&) = delete;

  // Null once Outlook closed the window.
  Outlook::_Explorer* GetExplorer() const;
  // Re-reads the profiles into the sync popup (nothing without a popup).
  void RebuildProfilesMenu();

  BEGIN_SINK_MAP(CExplorer)
    SINK_ENTRY_INFO(1, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnImportContactsClick, &kClickInfo)
    SINK_ENTRY_INFO(2, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnExportContactsClick, &kClickInfo)
    SINK_ENTRY_INFO(3, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnImportContactsClick, &kClickInfo)
    SINK_ENTRY_INFO(4, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnExportContactsClick, &kClickInfo)
    SINK_ENTRY_INFO(5, __uuidof(Outlook::ExplorerEvents), Outlook::kDispidBeforeFolderSwitch,
                    &CExplorer::OnBeforeFolderSwitch, &kFolderSwitchInfo)
    SINK_ENTRY_INFO(6, __uuidof(Outlook::ExplorerEvents), Outlook::kDispidClose,
                    &CExplorer::OnClose, &kNoArgumentsInfo)
    SINK_ENTRY_INFO(8, __uuidof(Outlook::ExplorerEvents), Outlook::kDispidViewSwitch,
                    &CExplorer::OnFirstViewSwitch, &kNoArgumentsInfo)
    SINK_ENTRY_INFO(10, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnImportEventsClick, &kClickInfo)
    SINK_ENTRY_INFO(11, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnExportEventsClick, &kClickInfo)
    SINK_ENTRY_INFO(12, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnImportEventsClick, &kClickInfo)
    SINK_ENTRY_INFO(13, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnExportEventsClick, &kClickInfo)
    SINK_ENTRY_INFO(14, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnDebugClick, &kClickInfo)
    SINK_ENTRY_INFO(15, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnButtonClick, &kClickInfo)
    SINK_ENTRY_INFO(16, __uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick,
                    &CExplorer::OnAboutClick, &kClickInfo)
  END_SINK_MAP()

 private:
  // The parameter of the hidden anchor item of the sync popup; each profile item's
  // parameter is it followed by the profile's key.
  static constexpr char kProfilePrefix[] = "SyncProfile_";
  static constexpr std::size_t kProfilePrefixLength = sizeof kProfilePrefix - 1;

  static constexpr _ATL_FUNC_INFO kClickInfo = {
      CC_STDCALL, VT_EMPTY, 2, {VT_DISPATCH, VT_BYREF | VT_BOOL}};
  static constexpr _ATL_FUNC_INFO kFolderSwitchInfo = {
      CC_STDCALL, VT_EMPTY, 2, {VT_DISPATCH, VT_BYREF | VT_BOOL}};
  static constexpr _ATL_FUNC_INFO kNoArgumentsInfo = {CC_STDCALL, VT_EMPTY, 0, {}};

  // How a button added by AddButton looks: the caption from a language key or, without
  // one, a fixed text; -1 for a face id or bitmap means none; style -1 derives the
  // style from the caption and the picture.
  struct ButtonLook {
    const char* captionKey = nullptr;
    const char* caption = nullptr;
    const char* tooltipKey = nullptr;
    int faceId = -1;
    int pictureId = -1;
    int maskId = -1;
    int style = -1;
    bool enabled = true;
    bool visible = true;
  };

  void CreateUI();
  // Disconnects every sink and releases the controls.
  void UnadviseAll();
  void AdviseControlSinks();
  void AdviseWindowSinks();
  template <class Visit>
  void VisitButtonSinks(Visit visit);
  void ReleaseControls();
  bool HasBars() const;

  HRESULT BuildControls();
  HRESULT CreatePictureButtons();
  HRESULT CreateToolbar();
  HRESULT CreateSyncPopupItems();
  HRESULT CreateImportExportSubmenu(Office::CommandBarControls* controls);
  HRESULT CreateMenuBarItems();
  HRESULT CreateMenuOpenItem();
  HRESULT CreateAboutMenu();
  HRESULT GetStandardBar(Office::CommandBarPtr& bar);
  Office::CommandBarPtr ActiveMenuBar();
  HRESULT AddButton(Office::CommandBarControls* controls, Office::CommandBarButtonPtr* store,
                    int position, const ButtonLook& look);
  HRESULT AddPopup(Office::CommandBarControls* controls, Office::CommandBarPopupPtr* store,
                   int position, const _bstr_t& caption, bool enabled, bool visible);
  // An item of the sync popup (or of a menu), carrying this window's tag.
  HRESULT AddTaggedItem(Office::CommandBarControls* controls, int position, const ButtonLook& look,
                        const char* parameter, bool beginGroup,
                        Office::CommandBarButtonPtr* store = nullptr);
  void ShowPictureButtonsFor(IDispatch* folder);
  void RebuildProfileItems();
  // The position of the anchor item among the controls; 0 when there is none.
  static int AnchorIndex(Office::CommandBarControls* controls);
  void Dispatch(const _bstr_t& parameter);

  void STDMETHODCALLTYPE OnImportContactsClick(Office::CommandBarButton* ctrl,
                                               VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnExportContactsClick(Office::CommandBarButton* ctrl,
                                               VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnImportEventsClick(Office::CommandBarButton* ctrl, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnExportEventsClick(Office::CommandBarButton* ctrl, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnDebugClick(Office::CommandBarButton* ctrl, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnAboutClick(Office::CommandBarButton* ctrl, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnButtonClick(Office::CommandBarButton* ctrl, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnBeforeFolderSwitch(IDispatch* folder, VARIANT_BOOL* cancel);
  void STDMETHODCALLTYPE OnFirstViewSwitch();
  void STDMETHODCALLTYPE OnClose();

  CConnect* m_owner;
  Outlook::_ExplorerPtr m_explorer;
  _bstr_t m_tag;
  Office::CommandBarButtonPtr m_contactsImportButton;
  Office::CommandBarButtonPtr m_contactsExportButton;
  Office::CommandBarButtonPtr m_contactsImportItem;
  Office::CommandBarButtonPtr m_contactsExportItem;
  Office::CommandBarButtonPtr m_eventsImportButton;
  Office::CommandBarButtonPtr m_eventsExportButton;
  Office::CommandBarButtonPtr m_eventsImportItem;
  Office::CommandBarButtonPtr m_eventsExportItem;
  Office::CommandBarButtonPtr m_debugItem;
  Office::CommandBarButtonPtr m_openItem1;
  Office::CommandBarButtonPtr m_openItem2;
  Office::CommandBarButtonPtr m_syncAllButton;
  Office::CommandBarPopupPtr m_syncPopup;
  Office::CommandBarButtonPtr m_aboutItem;
};
