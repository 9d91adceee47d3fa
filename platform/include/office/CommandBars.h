// Office's command bars of a window: the bars by name, the active menu bar, the controls
// of a bar and the search for a control.
//
// Each property has a raw accessor returning the HRESULT and a wrapper that raises
// _com_error when it fails. Optional arguments left out are Office::Missing().
#pragma once

#include "office/CommandBarDeclarations.h"

namespace Office {

struct _CommandBars : IDispatch {
  CommandBarPtr GetActiveMenuBar();
  int GetCount();
  // By 1-based position or by name ("Standard", without case); a bar that is not there
  // fails with E_INVALIDARG.
  CommandBarPtr GetItem(const _variant_t& index);
  // The first control of any bar (menus searched too) that has every property given;
  // NULL when none has.
  CommandBarControlPtr FindControl(const _variant_t& type = Missing(),
                                   const _variant_t& id = Missing(),
                                   const _variant_t& tag = Missing(),
                                   const _variant_t& visible = Missing());

  virtual HRESULT STDMETHODCALLTYPE get_ActiveMenuBar(CommandBar** bar) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Count(int* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, CommandBar** bar) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_FindControl(VARIANT type, VARIANT id, VARIANT tag,
                                                    VARIANT visible,
                                                    CommandBarControl** control) = 0;
};

// A toolbar, a menu bar, or the menu of a popup control.
struct CommandBar : IDispatch {
  _bstr_t GetName();
  CommandBarControlsPtr GetControls();
  // The first control of the bar (of its menus too when recursive) that has every
  // property given; NULL when none has.
  CommandBarControlPtr FindControl(const _variant_t& type = Missing(),
                                   const _variant_t& id = Missing(),
                                   const _variant_t& tag = Missing(),
                                   const _variant_t& visible = Missing(),
                                   const _variant_t& recursive = Missing());

  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Controls(CommandBarControls** controls) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_FindControl(VARIANT type, VARIANT id, VARIANT tag,
                                                    VARIANT visible, VARIANT recursive,
                                                    CommandBarControl** control) = 0;
};

struct CommandBarControls : IDispatch {
  int GetCount();
  // 1-based; out of range fails with E_INVALIDARG.
  CommandBarControlPtr GetItem(const _variant_t& index);
  // type msoControlButton (the default) or msoControlPopup; before is the 1-based
  // position the control takes (left out: at the end); temporary controls are gone
  // when Office ends.
  CommandBarControlPtr Add(const _variant_t& type = Missing(), const _variant_t& id = Missing(),
                           const _variant_t& parameter = Missing(),
                           const _variant_t& before = Missing(),
                           const _variant_t& temporary = Missing());

  virtual HRESULT STDMETHODCALLTYPE get_Count(int* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, CommandBarControl** control) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Add(VARIANT type, VARIANT id, VARIANT parameter,
                                            VARIANT before, VARIANT temporary,
                                            CommandBarControl** control) = 0;
};

}  // namespace Office
