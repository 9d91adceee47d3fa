// The command-bar interfaces of Office, declared with their IIDs and smart pointers so
// that the bars, their control collections and their controls can name each other.
#pragma once

#include "com/comdef.h"

namespace Office {

KELVRA_INTERFACE_IID(_CommandBars, 0x000C0302, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(_CommandBars, __uuidof(_CommandBars));

KELVRA_INTERFACE_IID(CommandBar, 0x000C0304, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(CommandBar, __uuidof(CommandBar));

KELVRA_INTERFACE_IID(CommandBarControls, 0x000C0306, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(CommandBarControls, __uuidof(CommandBarControls));

KELVRA_INTERFACE_IID(CommandBarControl, 0x000C0308, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(CommandBarControl, __uuidof(CommandBarControl));

KELVRA_INTERFACE_IID(CommandBarPopup, 0x000C030A, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(CommandBarPopup, __uuidof(CommandBarPopup));

KELVRA_INTERFACE_IID(CommandBarButton, 0x000C030E, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
_COM_SMARTPTR_TYPEDEF(CommandBarButton, __uuidof(CommandBarButton));

// The click event of buttons: Click(CommandBarButton* Ctrl, VARIANT_BOOL* CancelDefault),
// dispatch id 1. Office raises it on every button with a connected sink whose non-empty
// Tag equals the clicked control's, Ctrl being the clicked control; a control without a
// tag raises it on itself only.
KELVRA_INTERFACE_IID(_CommandBarButtonEvents, 0x000C0351, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x46)
struct _CommandBarButtonEvents : IDispatch {
 protected:
  ~_CommandBarButtonEvents() = default;
};

inline constexpr DISPID kDispidClick = 1;

enum MsoControlType : int {
  msoControlCustom = 0,
  msoControlButton = 1,
  msoControlPopup = 10,
};

enum MsoButtonStyle : int {
  msoButtonAutomatic = 0,
  msoButtonIcon = 1,
  msoButtonCaption = 2,
  msoButtonIconAndCaption = 3,
};

// The value of an optional argument left out.
inline _variant_t Missing() {
  return _variant_t(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR);
}

}  // namespace Office
