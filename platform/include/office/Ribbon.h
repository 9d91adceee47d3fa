// The ribbon interfaces of Office: what an add-in implements to hand out its ribbon
// XML, the ribbon object it gets in its onLoad callback, and the control object every
// callback receives. Office's type library is described as version 2.5.
#pragma once

#include "com/comdef.h"

namespace Office {

inline constexpr GUID LIBID_Office{
    0x2DF8D04C, 0x5BFA, 0x101B, {0xBD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0xDE, 0x52}};

KELVRA_INTERFACE_IID(IRibbonExtensibility, 0x000C0396, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
KELVRA_INTERFACE_IID(IRibbonUI, 0x000C03A7, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IRibbonControl, 0x000C0395, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)

// Asked with the ribbon's id ("Microsoft.Outlook.Explorer"); *RibbonXml NULL means the
// add-in has no ribbon for it.
struct IRibbonExtensibility : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR RibbonID, BSTR* RibbonXml) = 0;

 protected:
  ~IRibbonExtensibility() = default;
};

// Invalidate asks every control of the add-in again, InvalidateControl one control.
struct IRibbonUI : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE Invalidate() = 0;
  virtual HRESULT STDMETHODCALLTYPE InvalidateControl(BSTR ControlID) = 0;

 protected:
  ~IRibbonUI() = default;
};

// The control a callback is about: its id, the window it sits in, its tag.
struct IRibbonControl : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Id(BSTR* Id) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Context(IDispatch** Context) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Tag(BSTR* Tag) = 0;

 protected:
  ~IRibbonControl() = default;
};

_COM_SMARTPTR_TYPEDEF(IRibbonExtensibility, __uuidof(IRibbonExtensibility));
_COM_SMARTPTR_TYPEDEF(IRibbonUI, __uuidof(IRibbonUI));
_COM_SMARTPTR_TYPEDEF(IRibbonControl, __uuidof(IRibbonControl));

}  // namespace Office
