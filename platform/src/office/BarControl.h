// The properties every control of the stand-in's command bars has, for a button or a
// popup: Itf is Office::CommandBarButton or Office::CommandBarPopup.
#pragma once

#include "com/ComObject.h"
#include "office/CommandBars.h"
#include "office/ControlList.h"
#include "office/ControlNode.h"
#include "outlook/OutParam.h"

namespace kelvra::office {

template <class Itf, class... Extra>
class BarControl : public ComObject<Itf, Extra...>, public ControlNode {
 public:
  STDMETHODIMP get_BeginGroup(VARIANT_BOOL* begin) override {
    return Flag(begin, properties.beginGroup);
  }
  STDMETHODIMP put_BeginGroup(VARIANT_BOOL begin) override {
    return SetFlag(properties.beginGroup, begin);
  }
  STDMETHODIMP get_Caption(BSTR* caption) override { return Text(caption, properties.caption); }
  STDMETHODIMP put_Caption(BSTR caption) override { return SetText(properties.caption, caption); }
  STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override {
    return Flag(enabled, properties.enabled);
  }
  STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override {
    return SetFlag(properties.enabled, enabled);
  }
  STDMETHODIMP get_Visible(VARIANT_BOOL* visible) override {
    return Flag(visible, properties.visible);
  }
  STDMETHODIMP put_Visible(VARIANT_BOOL visible) override {
    return SetFlag(properties.visible, visible);
  }
  STDMETHODIMP get_Parameter(BSTR* parameter) override {
    return Text(parameter, properties.parameter);
  }
  STDMETHODIMP put_Parameter(BSTR parameter) override {
    return SetText(properties.parameter, parameter);
  }
  STDMETHODIMP get_Tag(BSTR* tag) override { return Text(tag, properties.tag); }
  STDMETHODIMP put_Tag(BSTR tag) override { return SetText(properties.tag, tag); }
  STDMETHODIMP get_TooltipText(BSTR* text) override { return Text(text, properties.tooltip); }
  STDMETHODIMP put_TooltipText(BSTR text) override { return SetText(properties.tooltip, text); }
  STDMETHODIMP get_Id(int* id) override { return outlook::HandOutValue(id, properties.id); }
  STDMETHODIMP get_Index(int* index) override {
    if (list == nullptr) return E_FAIL;
    return outlook::HandOutValue(index, list->IndexOf(this));
  }
  STDMETHODIMP get_Type(Office::MsoControlType* type) override {
    return outlook::HandOutValue(type, properties.type);
  }
  STDMETHODIMP get_Parent(Office::CommandBar** parent) override {
    if (list == nullptr) return E_FAIL;
    return outlook::HandOutObject(parent, [&] {
      Office::CommandBar* bar = list->Bar();
      bar->AddRef();
      return bar;
    });
  }
  STDMETHODIMP raw_Delete(VARIANT) override {
    // The list drops its reference: this may be the last one.
    this->AddRef();
    const bool removed = list != nullptr && list->Remove(this);
    this->Release();
    return removed ? S_OK : E_FAIL;
  }

  Office::CommandBarControl* Control() override { return this; }

 protected:
  explicit BarControl(Office::MsoControlType type) { properties.type = type; }
  ~BarControl() override = default;

 private:
  // A control taken off its bar has no properties left to read or write.
  HRESULT Placed() const { return list != nullptr ? S_OK : E_FAIL; }
  HRESULT Flag(VARIANT_BOOL* out, bool value) const {
    const HRESULT placed = Placed();
    if (FAILED(placed)) return placed;
    return outlook::HandOutValue<VARIANT_BOOL>(out, value ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT SetFlag(bool& field, VARIANT_BOOL value) {
    const HRESULT placed = Placed();
    if (SUCCEEDED(placed)) field = value != VARIANT_FALSE;
    return placed;
  }
  HRESULT Text(BSTR* out, const std::u16string& value) const {
    const HRESULT placed = Placed();
    if (FAILED(placed)) return placed;
    return outlook::HandOutText(out, value);
  }
  HRESULT SetText(std::u16string& field, BSTR value) {
    const HRESULT placed = Placed();
    if (SUCCEEDED(placed)) field = outlook::TextOf(value);
    return placed;
  }
};

}  // namespace kelvra::office
