// The add-in's own type library: the class id of its one coclass "Connect" and the
// dual interface IKelvra, through which Office calls the ribbon callbacks by name.
#pragma once

#include "com/comdef.h"
#include "com/olectl.h"
#include "office/Ribbon.h"

// {1C6AE261-98B6-4EEF-9D3A-A7D6E7F1BD5B}
inline constexpr CLSID CLSID_Connect{
    0x1C6AE261, 0x98B6, 0x4EEF, {0x9D, 0x3A, 0xA7, 0xD6, 0xE7, 0xF1, 0xBD, 0x5B}};
// {23849DD1-266E-48D0-841D-A14FF7564DF0}, version 1.0.
inline constexpr GUID LIBID_KelvraLib{
    0x23849DD1, 0x266E, 0x48D0, {0x84, 0x1D, 0xA1, 0x4F, 0xF7, 0x56, 0x4D, 0xF0}};

KELVRA_INTERFACE_IID(IKelvra, 0x2103A46B, 0x2A01, 0x40DA, 0xB9, 0xAF, 0x4E, 0x99, 0xA2, 0xF2, 0xBD,
                     0xD1)

// Every callback but RibbonUI_OnLoad takes the ribbon control Office passes (asked
// for IRibbonControl).
// Dispatch ids 1 to 7 in slot order.
struct IKelvra : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Button_OnAction(IDispatch* control) = 0;
  virtual HRESULT STDMETHODCALLTYPE Control_GetScreentip(IDispatch* control, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE Control_GetImage(IDispatch* control, IPictureDisp** image) = 0;
  virtual HRESULT STDMETHODCALLTYPE Control_GetLabel(IDispatch* control, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE RibbonUI_OnLoad(Office::IRibbonUI* ribbonUI) = 0;
  virtual HRESULT STDMETHODCALLTYPE Control_GetEnabled(IDispatch* control,
                                                       VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE DynamicMenu_GetContent(IDispatch* control, BSTR* xml) = 0;

 protected:
  ~IKelvra() = default;
};

_COM_SMARTPTR_TYPEDEF(IKelvra, __uuidof(IKelvra));
