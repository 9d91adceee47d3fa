// The ribbon tab of Outlook 2010: its XML and the callbacks Office calls by name.
#include <string>
#include <vector>

#include "RibbonXml.h"
#include "addin/Application.h"
#include "addin/CConnect.h"
#include "addin/CLang.h"
#include "addin/CLib.h"
#include "addin/CLogTimer.h"
#include "addin/ComBoundary.h"
#include "addin/EnumSyncProfiles.h"
#include "addin/RibbonControls.h"
#include "addin/XmlEscape.h"
#include "win32/crt.h"
#include "win32/gdi.h"

namespace {

constexpr const char* kExplorerRibbonId = "Microsoft.Outlook.Explorer";
constexpr const char* kTabLabelPlaceholder = "%IDS_OL2010_TAB%";
constexpr const char* kCustomUiNamespace = "http://schemas.microsoft.com/office/2006/01/customui";

// The control's id in the ANSI code page; the failure of reading it.
HRESULT ReadControlId(IDispatch* control, std::string& id) {
  if (control == nullptr) return E_POINTER;
  Office::IRibbonControlPtr ribbonControl;
  const HRESULT asked = control->QueryInterface(__uuidof(Office::IRibbonControl),
                                                reinterpret_cast<void**>(&ribbonControl));
  if (FAILED(asked)) return asked;
  BSTR text = nullptr;
  const HRESULT read = ribbonControl->get_Id(&text);
  if (FAILED(read)) return read;
  const _bstr_t owned(text, false);
  const char* ansi = owned;
  id = ansi != nullptr ? ansi : "";
  return S_OK;
}

void LogUnknownId(const char* function, const std::string& id) {
  g_LogTimer.Err(function, 0, "Unknown id(%s)", id.c_str());
}

// What a press of each button of the tab does.
struct ButtonAction {
  const char* id;
  void (*run)(CConnect& connect);
};

constexpr ButtonAction kButtonActions[] = {
    {"Ostrane.Kelvra.btnExportC", [](CConnect& c) { c.ShowContactExportWizard(); }},
    {"Ostrane.Kelvra.btnImportC", [](CConnect& c) { c.ShowContactImportWizard(); }},
    {"Ostrane.Kelvra.btnExportA", [](CConnect& c) { c.ShowCalendarExportWizard(); }},
    {"Ostrane.Kelvra.btnImportA", [](CConnect& c) { c.ShowCalendarImportWizard(); }},
    {"Ostrane.Kelvra.btnSyncAll", [](CConnect& c) { c.SyncAll(); }},
    {"Ostrane.Kelvra.btnOpenKelvra", [](CConnect& c) { c.ShowOpenMain(); }},
    {"Ostrane.Kelvra.btnNewProfile", [](CConnect& c) { c.NewProfile(); }},
    {"Ostrane.Kelvra.btnHelp", [](CConnect&) { g_Lib.ShowContextHelp(nullptr); }},
    {"Ostrane.Kelvra.btnAbout", [](CConnect&) { g_Lib.ShowAbout(); }},
};

// Ribbon ids are compared without case.
const ButtonAction* FindButtonAction(const char* id) {
  for (const ButtonAction& action : kButtonActions)
    if (_stricmp(action.id, id) == 0) return &action;
  return nullptr;
}

BSTR ToBstr(const std::string& ansi) { return _bstr_t(ansi.c_str()).Detach(); }

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

STDMETHODIMP CConnect::GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) {
  return ComBoundary("CConnect::GetCustomUI", [&]() -> HRESULT {
    if (ribbonXml == nullptr) return E_POINTER;
    *ribbonXml = nullptr;
    if (ribbonId == nullptr || !(_bstr_t(ribbonId) == kExplorerRibbonId)) return S_OK;
    std::string xml = kRibbonXml;
    ReplaceAll(xml, kTabLabelPlaceholder, XmlEscape(g_Lang.GetText("IDS_OL2010_TAB")));
    *ribbonXml = ToBstr(xml);
    return S_OK;
  });
}

STDMETHODIMP CConnect::RibbonUI_OnLoad(Office::IRibbonUI* ribbonUI) {
  return ComBoundary("CConnect::RibbonUI_OnLoad", [&]() -> HRESULT {
    m_spRibbonUI = ribbonUI;
    return S_OK;
  });
}

STDMETHODIMP CConnect::Button_OnAction(IDispatch* control) {
  return ComBoundary("CConnect::Button_OnAction", [&]() -> HRESULT {
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    const char* name = id.c_str();
    const std::size_t prefixLength = std::char_traits<char>::length(kRunProfilePrefix);
    if (_strnicmp(name, kRunProfilePrefix, prefixLength) == 0) {
      OnClickSync(name + prefixLength);
    } else if (const ButtonAction* action = FindButtonAction(name)) {
      action->run(*this);
    } else {
      LogUnknownId("CConnect::Button_OnAction", id);
    }
    return S_OK;
  });
}

STDMETHODIMP CConnect::Control_GetLabel(IDispatch* control, BSTR* text) {
  return ComBoundary("CConnect::Control_GetLabel", [&]() -> HRESULT {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    const RibbonControl* known = FindRibbonControl(id.c_str());
    if (known == nullptr) {
      LogUnknownId("CConnect::Control_GetLabel", id);
      *text = ToBstr(id);
    } else {
      *text = ToBstr(g_Lang.GetText(known->labelKey));
    }
    return S_OK;
  });
}

STDMETHODIMP CConnect::Control_GetScreentip(IDispatch* control, BSTR* text) {
  return ComBoundary("CConnect::Control_GetScreentip", [&]() -> HRESULT {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    const RibbonControl* known = FindRibbonControl(id.c_str());
    if (known == nullptr || known->screentipKey == nullptr) {
      LogUnknownId("CConnect::Control_GetScreentip", id);
      *text = ToBstr(id);
    } else {
      *text = ToBstr(*known->screentipKey != '\0' ? g_Lang.GetText(known->screentipKey) : "");
    }
    return S_OK;
  });
}

STDMETHODIMP CConnect::Control_GetImage(IDispatch* control, IPictureDisp** image) {
  return ComBoundary("CConnect::Control_GetImage", [&]() -> HRESULT {
    if (image == nullptr) return E_POINTER;
    *image = nullptr;
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    const char* function = "CConnect::Control_GetImage";
    const RibbonControl* known = FindRibbonControl(id.c_str());
    if (known == nullptr || known->iconId == 0) {
      LogUnknownId(function, id);
      return S_OK;
    }
    const HICON icon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(known->iconId));
    if (icon == nullptr) {
      g_LogTimer.Err(function, static_cast<int>(GetLastError()), "LoadImage failed, IconResID=%d",
                     known->iconId);
      return S_OK;
    }
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon;
    const HRESULT made =
        OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(image));
    if (FAILED(made)) {
      // No picture took the icon over.
      DestroyIcon(icon);
      *image = nullptr;
      g_LogTimer.Err(function, made, "OleCreatePictureIndirect failed");
    }
    return S_OK;
  });
}

STDMETHODIMP CConnect::Control_GetEnabled(IDispatch* control, VARIANT_BOOL* enabled) {
  return ComBoundary("CConnect::Control_GetEnabled", [&]() -> HRESULT {
    if (enabled == nullptr) return E_POINTER;
    *enabled = VARIANT_FALSE;
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    if (_stricmp(id.c_str(), kProfilesMenuId) != 0) {
      LogUnknownId("Control_GetEnabled", id);
      return S_OK;
    }
    std::vector<std::string> names;
    std::vector<std::string> keys;
    EnumSyncProfiles(names, keys);
    *enabled = keys.empty() ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
  });
}

// Keys and names are escaped: a profile named "R&D <new>" must not break the menu.
STDMETHODIMP CConnect::DynamicMenu_GetContent(IDispatch* control, BSTR* xml) {
  return ComBoundary("CConnect::DynamicMenu_GetContent", [&]() -> HRESULT {
    if (xml == nullptr) return E_POINTER;
    *xml = nullptr;
    std::string id;
    const HRESULT read = ReadControlId(control, id);
    if (FAILED(read)) return read;
    if (_stricmp(id.c_str(), kProfilesMenuId) != 0) {
      LogUnknownId("DynamicMenu_GetContent", id);
      return S_OK;
    }
    std::vector<std::string> names;
    std::vector<std::string> keys;
    EnumSyncProfiles(names, keys);
    std::string menu = std::string("<menu xmlns=\"") + kCustomUiNamespace + "\">";
    for (std::size_t i = 0; i < keys.size(); ++i) {
      menu += std::string("<button id=\"") + kRunProfilePrefix + XmlEscape(keys[i]) +
              "\" label=\"" + XmlEscape(names[i]) + "\" onAction=\"Button_OnAction\" />";
    }
    menu += "</menu>";
    *xml = ToBstr(menu);
    return S_OK;
  });
}
