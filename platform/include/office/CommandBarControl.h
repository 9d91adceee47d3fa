// The controls on Office's command bars: every control's properties, a button's face
// and style, a popup's menu.
//
// A control asked for CommandBarButton or CommandBarPopup answers only when it is one.
// Each property has a raw accessor returning the HRESULT and a wrapper that raises
// _com_error when it fails.
#pragma once

#include "com/olectl.h"
#include "office/CommandBarDeclarations.h"

namespace Office {

struct CommandBarControl : IDispatch {
  VARIANT_BOOL GetBeginGroup();
  void PutBeginGroup(VARIANT_BOOL begin);
  _bstr_t GetCaption();
  void PutCaption(const _bstr_t& caption);
  VARIANT_BOOL GetEnabled();
  void PutEnabled(VARIANT_BOOL enabled);
  VARIANT_BOOL GetVisible();
  void PutVisible(VARIANT_BOOL visible);
  _bstr_t GetParameter();
  void PutParameter(const _bstr_t& parameter);
  _bstr_t GetTag();
  void PutTag(const _bstr_t& tag);
  _bstr_t GetTooltipText();
  void PutTooltipText(const _bstr_t& text);
  // Built-in controls have Office's own Ids; controls an add-in adds have 1.
  int GetId();
  // 1-based position on its bar; it shifts when controls before it come or go.
  int GetIndex();
  MsoControlType GetType();
  CommandBarPtr GetParent();
  // Takes the control off its bar; it stays an object without a place.
  void Delete(const _variant_t& temporary = Missing());

  virtual HRESULT STDMETHODCALLTYPE get_BeginGroup(VARIANT_BOOL* begin) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_BeginGroup(VARIANT_BOOL begin) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Caption(BSTR caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parameter(BSTR* parameter) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Parameter(BSTR parameter) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Tag(BSTR* tag) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Tag(BSTR tag) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TooltipText(BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TooltipText(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Id(int* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Index(int* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Type(MsoControlType* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(CommandBar** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE raw_Delete(VARIANT temporary) = 0;
};

struct CommandBarButton : CommandBarControl {
  using BaseInterface = CommandBarControl;

  int GetFaceId();
  void PutFaceId(int faceId);
  MsoButtonStyle GetStyle();
  void PutStyle(MsoButtonStyle style);
  // Office keeps a copy of the image: the caller may free its picture and bitmap after.
  IPictureDispPtr GetPicture();
  void PutPicture(IPictureDisp* picture);
  IPictureDispPtr GetMask();
  void PutMask(IPictureDisp* mask);

  virtual HRESULT STDMETHODCALLTYPE get_FaceId(int* faceId) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_FaceId(int faceId) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Style(MsoButtonStyle* style) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Style(MsoButtonStyle style) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** picture) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Picture(IPictureDisp* picture) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Mask(IPictureDisp** mask) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Mask(IPictureDisp* mask) = 0;
};

struct CommandBarPopup : CommandBarControl {
  using BaseInterface = CommandBarControl;

  // The controls of the popup's menu.
  CommandBarControlsPtr GetControls();
  CommandBarPtr GetCommandBar();

  virtual HRESULT STDMETHODCALLTYPE get_Controls(CommandBarControls** controls) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CommandBar(CommandBar** bar) = 0;
};

}  // namespace Office
