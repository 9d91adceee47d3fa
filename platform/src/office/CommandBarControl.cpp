// The wrapper methods of command-bar controls: raise a failed call as _com_error.
#include "office/CommandBarControl.h"

#include "office/CommandBars.h"
#include "outlook/WrapperCall.h"

namespace Office {

using namespace kelvra::outlook;

VARIANT_BOOL CommandBarControl::GetBeginGroup() {
  return GetValue(this, &CommandBarControl::get_BeginGroup);
}
void CommandBarControl::PutBeginGroup(VARIANT_BOOL begin) {
  Call(this, &CommandBarControl::put_BeginGroup, begin);
}
_bstr_t CommandBarControl::GetCaption() { return GetText(this, &CommandBarControl::get_Caption); }
void CommandBarControl::PutCaption(const _bstr_t& caption) {
  Call(this, &CommandBarControl::put_Caption, static_cast<BSTR>(static_cast<char16_t*>(caption)));
}
VARIANT_BOOL CommandBarControl::GetEnabled() {
  return GetValue(this, &CommandBarControl::get_Enabled);
}
void CommandBarControl::PutEnabled(VARIANT_BOOL enabled) {
  Call(this, &CommandBarControl::put_Enabled, enabled);
}
VARIANT_BOOL CommandBarControl::GetVisible() {
  return GetValue(this, &CommandBarControl::get_Visible);
}
void CommandBarControl::PutVisible(VARIANT_BOOL visible) {
  Call(this, &CommandBarControl::put_Visible, visible);
}
_bstr_t CommandBarControl::GetParameter() {
  return GetText(this, &CommandBarControl::get_Parameter);
}
void CommandBarControl::PutParameter(const _bstr_t& parameter) {
  Call(this, &CommandBarControl::put_Parameter,
       static_cast<BSTR>(static_cast<char16_t*>(parameter)));
}
_bstr_t CommandBarControl::GetTag() { return GetText(this, &CommandBarControl::get_Tag); }
void CommandBarControl::PutTag(const _bstr_t& tag) {
  Call(this, &CommandBarControl::put_Tag, static_cast<BSTR>(static_cast<char16_t*>(tag)));
}
_bstr_t CommandBarControl::GetTooltipText() {
  return GetText(this, &CommandBarControl::get_TooltipText);
}
void CommandBarControl::PutTooltipText(const _bstr_t& text) {
  Call(this, &CommandBarControl::put_TooltipText, static_cast<BSTR>(static_cast<char16_t*>(text)));
}
int CommandBarControl::GetId() { return GetValue(this, &CommandBarControl::get_Id); }
int CommandBarControl::GetIndex() { return GetValue(this, &CommandBarControl::get_Index); }
MsoControlType CommandBarControl::GetType() { return GetValue(this, &CommandBarControl::get_Type); }
CommandBarPtr CommandBarControl::GetParent() {
  return GetObject<CommandBarPtr>(this, &CommandBarControl::get_Parent);
}
void CommandBarControl::Delete(const _variant_t& temporary) {
  Call(this, &CommandBarControl::raw_Delete, static_cast<VARIANT>(temporary));
}

int CommandBarButton::GetFaceId() { return GetValue(this, &CommandBarButton::get_FaceId); }
void CommandBarButton::PutFaceId(int faceId) { Call(this, &CommandBarButton::put_FaceId, faceId); }
MsoButtonStyle CommandBarButton::GetStyle() { return GetValue(this, &CommandBarButton::get_Style); }
void CommandBarButton::PutStyle(MsoButtonStyle style) {
  Call(this, &CommandBarButton::put_Style, style);
}
IPictureDispPtr CommandBarButton::GetPicture() {
  return GetObject<IPictureDispPtr>(this, &CommandBarButton::get_Picture);
}
void CommandBarButton::PutPicture(IPictureDisp* picture) {
  Call(this, &CommandBarButton::put_Picture, picture);
}
IPictureDispPtr CommandBarButton::GetMask() {
  return GetObject<IPictureDispPtr>(this, &CommandBarButton::get_Mask);
}
void CommandBarButton::PutMask(IPictureDisp* mask) {
  Call(this, &CommandBarButton::put_Mask, mask);
}

CommandBarControlsPtr CommandBarPopup::GetControls() {
  return GetObject<CommandBarControlsPtr>(this, &CommandBarPopup::get_Controls);
}
CommandBarPtr CommandBarPopup::GetCommandBar() {
  return GetObject<CommandBarPtr>(this, &CommandBarPopup::get_CommandBar);
}

}  // namespace Office
