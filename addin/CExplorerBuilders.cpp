// The explorer object's controls on the window's command bars. Every control is
// temporary: Office drops it when Outlook ends.
#include <memory>
#include <string>

#include "addin/CExplorer.h"
#include "addin/CLang.h"
#include "addin/GetOutlookVersion.h"
#include "addin/IsDebugButtonEnabled.h"
#include "addin/LogComError.h"
#include "addin/SetButtonPicture.h"
#include "resource.h"

namespace {

// Office's own control Ids on Outlook's bars and menus.
constexpr long kStandardAnchorId = 478;
constexpr long kFirstMenuAnchorId = 1886;
constexpr long kOpenMenuId = 30003;
constexpr long kOpenMenuAnchorId = 22;
constexpr long kHelpMenuId = 30010;

// Office's built-in faces of the buttons on Outlook 2002 and older.
constexpr int kImportFaceId = 270;
constexpr int kExportFaceId = 271;
constexpr int kSyncAllFaceId = 1545;

constexpr const char kAboutPopupTag[] = "Ostrane About";
constexpr const char kDebugTag[] = "Ostrane.Kelvra.DEBUG";

_bstr_t LangText(const char* key) { return _bstr_t(g_Lang.GetText(key).c_str()); }

_variant_t Position(int position) {
  return position == -1 ? Office::Missing() : _variant_t(static_cast<long>(position));
}

// The 1-based position of the bar's own control with that Id; 0 when it has none.
int IndexOf(Office::CommandBar* bar, long id) {
  Office::CommandBarControlPtr control = bar->FindControl(Office::Missing(), _variant_t(id));
  return control != nullptr ? control->GetIndex() : 0;
}

// The popup menu with that Id on the bar; null when there is none.
Office::CommandBarPopupPtr MenuOf(Office::CommandBar* bar, long id) {
  return Office::CommandBarPopupPtr(bar->FindControl(Office::Missing(), _variant_t(id)));
}

int DerivedStyle(bool caption, bool picture) {
  if (caption && picture) return Office::msoButtonIconAndCaption;
  if (caption) return Office::msoButtonCaption;
  if (picture) return Office::msoButtonIcon;
  return -1;
}

}  // namespace

HRESULT CExplorer::BuildControls() {
  if (!HasBars()) return S_OK;
  HRESULT result = CreatePictureButtons();
  if (SUCCEEDED(result)) result = CreateToolbar();
  if (SUCCEEDED(result)) result = CreateMenuBarItems();
  if (SUCCEEDED(result)) result = CreateMenuOpenItem();
  if (FAILED(result)) return result;
  // The other controls work without the about item.
  try {
    CreateAboutMenu();
  } catch (const _com_error& error) {
    LogComError("CExplorer::CreateAboutMenu", error);
  }
  return S_OK;
}

HRESULT CExplorer::GetStandardBar(Office::CommandBarPtr& bar) {
  bar = nullptr;
  if (m_explorer == nullptr) return E_POINTER;
  Office::_CommandBars* rawBars = nullptr;
  HRESULT result = m_explorer->get_CommandBars(&rawBars);
  const Office::_CommandBarsPtr bars(rawBars, false);
  if (FAILED(result)) return result;
  if (bars == nullptr) return E_POINTER;
  Office::CommandBar* standard = nullptr;
  result = bars->get_Item(_variant_t("Standard"), &standard);
  bar = Office::CommandBarPtr(standard, false);
  if (SUCCEEDED(result) && bar == nullptr) result = E_POINTER;
  return result;
}

Office::CommandBarPtr CExplorer::ActiveMenuBar() {
  if (m_explorer == nullptr) return nullptr;
  return m_explorer->GetCommandBars()->GetActiveMenuBar();
}

HRESULT CExplorer::AddButton(Office::CommandBarControls* controls,
                             Office::CommandBarButtonPtr* store, int position,
                             const ButtonLook& look) {
  if (controls == nullptr || store == nullptr) return -1;
  Office::CommandBarControl* added = nullptr;
  const HRESULT result =
      controls->raw_Add(_variant_t(static_cast<long>(Office::msoControlButton)), Office::Missing(),
                        Office::Missing(), Position(position), _variant_t(true), &added);
  const Office::CommandBarControlPtr control(added, false);
  if (FAILED(result)) return result;
  const Office::CommandBarButtonPtr button(control);
  if (button == nullptr) return -1;

  const bool pictures = GetOutlookVersion() >= 11;
  const bool hasCaption = look.captionKey != nullptr || look.caption != nullptr;
  const bool hasPicture = look.faceId != -1 || (pictures && look.pictureId != -1);
  const int style = look.style != -1 ? look.style : DerivedStyle(hasCaption, hasPicture);
  if (style != -1) button->PutStyle(static_cast<Office::MsoButtonStyle>(style));
  if (pictures && look.pictureId != -1) {
    SetButtonPicture(button, look.pictureId, look.maskId);
  } else if (look.faceId != -1) {
    button->PutFaceId(look.faceId);
  }
  if (look.captionKey != nullptr) {
    button->PutCaption(LangText(look.captionKey));
  } else if (look.caption != nullptr) {
    button->PutCaption(_bstr_t(look.caption));
  }
  if (look.tooltipKey != nullptr) button->PutTooltipText(LangText(look.tooltipKey));
  button->PutEnabled(look.enabled ? VARIANT_TRUE : VARIANT_FALSE);
  button->PutVisible(look.visible ? VARIANT_TRUE : VARIANT_FALSE);
  *store = button;
  return S_OK;
}

HRESULT CExplorer::AddPopup(Office::CommandBarControls* controls, Office::CommandBarPopupPtr* store,
                            int position, const _bstr_t& caption, bool enabled, bool visible) {
  if (controls == nullptr || store == nullptr) return -1;
  Office::CommandBarControl* added = nullptr;
  const HRESULT result =
      controls->raw_Add(_variant_t(static_cast<long>(Office::msoControlPopup)), Office::Missing(),
                        Office::Missing(), Position(position), _variant_t(true), &added);
  const Office::CommandBarControlPtr control(added, false);
  if (FAILED(result)) return result;
  const Office::CommandBarPopupPtr popup(control);
  if (popup == nullptr) return -1;
  popup->PutCaption(caption);
  popup->PutEnabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
  popup->PutVisible(visible ? VARIANT_TRUE : VARIANT_FALSE);
  *store = popup;
  return S_OK;
}

HRESULT CExplorer::AddTaggedItem(Office::CommandBarControls* controls, int position,
                                 const ButtonLook& look, const char* parameter, bool beginGroup,
                                 Office::CommandBarButtonPtr* store) {
  Office::CommandBarButtonPtr item;
  const HRESULT result = AddButton(controls, std::addressof(item), position, look);
  if (FAILED(result)) return result;
  item->PutTag(m_tag);
  item->PutParameter(_bstr_t(parameter));
  if (beginGroup) item->PutBeginGroup(VARIANT_TRUE);
  if (store != nullptr) *store = item;
  return S_OK;
}

HRESULT CExplorer::CreatePictureButtons() {
  Office::CommandBarPtr standard;
  HRESULT result = GetStandardBar(standard);
  if (FAILED(result)) return result;
  const int after = IndexOf(standard, kStandardAnchorId);
  const int position = after != 0 ? after + 1 : 6;
  const Office::CommandBarControlsPtr controls = standard->GetControls();
  const struct {
    Office::CommandBarButtonPtr* store;
    const char* tooltipKey;
    int faceId;
    int pictureId;
    int maskId;
  } buttons[] = {{std::addressof(m_contactsImportButton), "IDS_BTN_CONTACTS_IMPORT", kImportFaceId,
                  IDB_CONTACTS_IMPORT, IDB_CONTACTS_IMPORT_MASK},
                 {std::addressof(m_contactsExportButton), "IDS_BTN_CONTACTS_EXPORT", kExportFaceId,
                  IDB_CONTACTS_EXPORT, IDB_CONTACTS_EXPORT_MASK},
                 {std::addressof(m_eventsImportButton), "IDS_BTN_EVENTS_IMPORT", kImportFaceId,
                  IDB_EVENTS_IMPORT, IDB_EVENTS_IMPORT_MASK},
                 {std::addressof(m_eventsExportButton), "IDS_BTN_EVENTS_EXPORT", kExportFaceId,
                  IDB_EVENTS_EXPORT, IDB_EVENTS_EXPORT_MASK}};
  int offset = 0;
  for (const auto& each : buttons) {
    ButtonLook look;
    look.tooltipKey = each.tooltipKey;
    look.faceId = each.faceId;
    look.pictureId = each.pictureId;
    look.maskId = each.maskId;
    look.style = Office::msoButtonIcon;
    look.visible = false;
    result = AddButton(controls, each.store, position + offset++, look);
    if (FAILED(result)) return result;
  }
  return S_OK;
}

HRESULT CExplorer::CreateToolbar() {
  Office::CommandBarPtr standard;
  HRESULT result = GetStandardBar(standard);
  if (FAILED(result)) return result;
  int position = -1;
  if (m_eventsExportButton != nullptr) {
    position = m_eventsExportButton->GetIndex() + 1;
  } else if (const int after = IndexOf(standard, kStandardAnchorId); after != 0) {
    position = after + 1;
  }
  const Office::CommandBarControlsPtr controls = standard->GetControls();
  ButtonLook syncAll;
  syncAll.tooltipKey = "IDS_TT_SYNC_ALL";
  syncAll.faceId = kSyncAllFaceId;
  syncAll.pictureId = IDB_SYNC_ALL;
  syncAll.maskId = IDB_SYNC_ALL_MASK;
  result =
      AddTaggedItem(controls, position, syncAll, "SyncAll", false, std::addressof(m_syncAllButton));
  if (FAILED(result)) return result;
  result = AddPopup(controls, std::addressof(m_syncPopup), position == -1 ? -1 : position + 1,
                    _bstr_t(" "), true, true);
  if (FAILED(result)) return result;
  return CreateSyncPopupItems();
}

HRESULT CExplorer::CreateSyncPopupItems() {
  const Office::CommandBarControlsPtr controls = m_syncPopup->GetControls();
  HRESULT result =
      AddTaggedItem(controls, -1, {.captionKey = "IDS_BTN_OPEN_Dovant"}, "OpenExe", false);
  if (FAILED(result)) return result;
  result = AddTaggedItem(controls, -1, {.captionKey = "IDS_BTN_NEW_PROFILE"}, "NewProfile", false);
  if (FAILED(result)) return result;
  const ButtonLook anchor{.caption = "Unvisible",
                          .style = Office::msoButtonCaption,
                          .enabled = false,
                          .visible = false};
  result = AddTaggedItem(controls, -1, anchor, kProfilePrefix, true);
  if (FAILED(result)) return result;
  RebuildProfilesMenu();
  result = CreateImportExportSubmenu(controls);
  if (FAILED(result)) return result;
  result = AddTaggedItem(controls, -1, {.captionKey = "IDS_BTN_HELP"}, "Help", true);
  if (FAILED(result)) return result;
  result = AddTaggedItem(controls, -1, {.captionKey = "IDS_BTN_ABOUT"}, "About", false);
  if (FAILED(result) || !IsDebugButtonEnabled()) return result;
  result = AddButton(controls, std::addressof(m_debugItem), -1,
                     {.caption = "DEBUG", .style = Office::msoButtonCaption});
  if (FAILED(result)) return result;
  m_debugItem->PutTag(_bstr_t(kDebugTag));
  m_debugItem->PutBeginGroup(VARIANT_TRUE);
  return S_OK;
}

HRESULT CExplorer::CreateImportExportSubmenu(Office::CommandBarControls* controls) {
  Office::CommandBarPopupPtr submenu;
  HRESULT result = AddPopup(controls, std::addressof(submenu), -1,
                            LangText("IDS_BTC_IMPORT_EXPORT"), true, true);
  if (FAILED(result)) return result;
  submenu->PutTag(m_tag);
  submenu->PutBeginGroup(VARIANT_TRUE);
  const Office::CommandBarControlsPtr items = submenu->GetControls();
  const struct {
    const char* captionKey;
    const char* parameter;
    int faceId;
    int pictureId;
    int maskId;
    bool beginGroup;
  } entries[] = {{"IDS_BTN_CONTACTS_EXPORT", "ExportC", kExportFaceId, IDB_CONTACTS_EXPORT,
                  IDB_CONTACTS_EXPORT_MASK, false},
                 {"IDS_BTN_CONTACTS_IMPORT", "ImportC", kImportFaceId, IDB_CONTACTS_IMPORT,
                  IDB_CONTACTS_IMPORT_MASK, false},
                 {"IDS_BTN_EVENTS_EXPORT", "ExportE", kExportFaceId, IDB_EVENTS_EXPORT,
                  IDB_EVENTS_EXPORT_MASK, true},
                 {"IDS_BTN_EVENTS_IMPORT", "ImportE", kImportFaceId, IDB_EVENTS_IMPORT,
                  IDB_EVENTS_IMPORT_MASK, false}};
  for (const auto& each : entries) {
    const ButtonLook look{.captionKey = each.captionKey,
                          .faceId = each.faceId,
                          .pictureId = each.pictureId,
                          .maskId = each.maskId};
    result = AddTaggedItem(items, -1, look, each.parameter, each.beginGroup);
    if (FAILED(result)) return result;
  }
  return S_OK;
}

HRESULT CExplorer::CreateMenuBarItems() {
  const Office::CommandBarPtr menuBar = ActiveMenuBar();
  if (menuBar == nullptr) return E_POINTER;
  const Office::CommandBarPopupPtr firstMenu(menuBar->GetControls()->GetItem(_variant_t(1L)));
  if (firstMenu == nullptr) return E_POINTER;
  const int found = IndexOf(firstMenu->GetCommandBar(), kFirstMenuAnchorId);
  const int position = found != 0 ? found : 10;
  const Office::CommandBarControlsPtr controls = firstMenu->GetControls();
  HRESULT result = AddTaggedItem(controls, position, {.captionKey = "IDS_BTN_OPEN_Dovant"},
                                 "OpenExe", false, std::addressof(m_openItem1));
  if (FAILED(result)) return result;
  // At the same position, so that the popup comes before the open item.
  Office::CommandBarPopupPtr importExport;
  result = AddPopup(controls, std::addressof(importExport), position,
                    LangText("IDS_BTC_IMPORT_EXPORT"), true, true);
  if (FAILED(result)) return result;
  const Office::CommandBarControlsPtr items = importExport->GetControls();
  const struct {
    Office::CommandBarButtonPtr* store;
    int position;
    const char* captionKey;
    int faceId;
    int pictureId;
    int maskId;
  } entries[] = {{std::addressof(m_contactsExportItem), 1, "IDS_BTN_CONTACTS_EXPORT", kExportFaceId,
                  IDB_CONTACTS_EXPORT, IDB_CONTACTS_EXPORT_MASK},
                 {std::addressof(m_contactsImportItem), 2, "IDS_BTN_CONTACTS_IMPORT", kImportFaceId,
                  IDB_CONTACTS_IMPORT, IDB_CONTACTS_IMPORT_MASK},
                 {std::addressof(m_eventsExportItem), 3, "IDS_BTN_EVENTS_EXPORT", kExportFaceId,
                  IDB_EVENTS_EXPORT, IDB_EVENTS_EXPORT_MASK},
                 {std::addressof(m_eventsImportItem), -1, "IDS_BTN_EVENTS_IMPORT", kImportFaceId,
                  IDB_EVENTS_IMPORT, IDB_EVENTS_IMPORT_MASK}};
  for (const auto& each : entries) {
    const ButtonLook look{.captionKey = each.captionKey,
                          .faceId = each.faceId,
                          .pictureId = each.pictureId,
                          .maskId = each.maskId};
    result = AddButton(items, each.store, each.position, look);
    if (FAILED(result)) return result;
  }
  m_eventsExportItem->PutBeginGroup(VARIANT_TRUE);
  return S_OK;
}

HRESULT CExplorer::CreateMenuOpenItem() {
  const Office::CommandBarPtr menuBar = ActiveMenuBar();
  if (menuBar == nullptr) return E_POINTER;
  const Office::CommandBarPopupPtr menu = MenuOf(menuBar, kOpenMenuId);
  if (menu == nullptr) return E_POINTER;
  const int after = IndexOf(menu->GetCommandBar(), kOpenMenuAnchorId);
  return AddTaggedItem(menu->GetControls(), after != 0 ? after + 1 : -1,
                       {.captionKey = "IDS_BTN_OPEN_Dovant"}, "OpenExe", true,
                       std::addressof(m_openItem2));
}

HRESULT CExplorer::CreateAboutMenu() {
  const Office::CommandBarPtr menuBar = ActiveMenuBar();
  if (menuBar == nullptr) return E_POINTER;
  const Office::CommandBarPopupPtr helpMenu = MenuOf(menuBar, kHelpMenuId);
  if (helpMenu == nullptr) return E_POINTER;
  // Found by its tag, so that every add-in of the company shares one popup.
  Office::CommandBarPopupPtr about(
      helpMenu->GetCommandBar()->FindControl(_variant_t(static_cast<long>(Office::msoControlPopup)),
                                             Office::Missing(), _variant_t(kAboutPopupTag)));
  if (about == nullptr) {
    const HRESULT result = AddPopup(helpMenu->GetControls(), std::addressof(about), -1,
                                    LangText("IDS_MNU_LIBOstrane_ABOUT"), true, true);
    if (FAILED(result)) return result;
    about->PutTag(_bstr_t(kAboutPopupTag));
  }
  return AddButton(about->GetControls(), std::addressof(m_aboutItem), -1,
                   {.captionKey = "IDS_BTN_LIBOstrane_ABOUT", .style = Office::msoButtonCaption});
}
