// An Outlook explorer window: the folder it shows, the items selected in it.
//
// An explorer raises ExplorerEvents (outlook/Events.h) through IConnectionPointContainer.
#pragma once

#include "office/CommandBarDeclarations.h"
#include "outlook/Declarations.h"
#include "outlook/ExplorerDeclarations.h"

namespace Outlook {

// The selected items of an explorer, as they were when Selection was read.
struct Selection : IDispatch {
  long GetCount();
  // 1-based; out of range fails with E_INVALIDARG.
  IDispatchPtr Item(const _variant_t& index);

  virtual HRESULT STDMETHODCALLTYPE get_Count(long* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Item(VARIANT index, IDispatch** item) = 0;
};

// Each property has a raw accessor returning the HRESULT and a wrapper that raises
// _com_error when it fails.
struct _Explorer : IDispatch {
  MAPIFolderPtr GetCurrentFolder();
  // Shows the folder: BeforeFolderSwitch is raised first, and a sink that sets its
  // cancel flag keeps the folder shown.
  void PutRefCurrentFolder(MAPIFolder* folder);
  SelectionPtr GetSelection();
  // Brings the window to the front: it becomes the application's active explorer.
  void Activate();
  // "<folder name> - Microsoft Outlook".
  _bstr_t GetCaption();
  // The window's toolbars and menu bar.
  Office::_CommandBarsPtr GetCommandBars();

  virtual HRESULT STDMETHODCALLTYPE get_CurrentFolder(MAPIFolder** folder) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_CurrentFolder(MAPIFolder* folder) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Selection(Selection** selection) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Activate() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CommandBars(Office::_CommandBars** bars) = 0;
};

}  // namespace Outlook
