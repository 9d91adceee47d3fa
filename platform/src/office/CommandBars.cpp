// The wrapper methods of the command bars, their control collections: raise a failed
// call as _com_error.
#include "office/CommandBars.h"

#include "office/CommandBarControl.h"
#include "outlook/WrapperCall.h"

namespace Office {

using namespace kelvra::outlook;

CommandBarPtr _CommandBars::GetActiveMenuBar() {
  return GetObject<CommandBarPtr>(this, &_CommandBars::get_ActiveMenuBar);
}

int _CommandBars::GetCount() { return GetValue(this, &_CommandBars::get_Count); }

CommandBarPtr _CommandBars::GetItem(const _variant_t& index) {
  return FetchObject<CommandBarPtr>(this, [&](CommandBar** bar) { return get_Item(index, bar); });
}

CommandBarControlPtr _CommandBars::FindControl(const _variant_t& type, const _variant_t& id,
                                               const _variant_t& tag, const _variant_t& visible) {
  return FetchObject<CommandBarControlPtr>(this, [&](CommandBarControl** control) {
    return raw_FindControl(type, id, tag, visible, control);
  });
}

_bstr_t CommandBar::GetName() { return GetText(this, &CommandBar::get_Name); }

CommandBarControlsPtr CommandBar::GetControls() {
  return GetObject<CommandBarControlsPtr>(this, &CommandBar::get_Controls);
}

CommandBarControlPtr CommandBar::FindControl(const _variant_t& type, const _variant_t& id,
                                             const _variant_t& tag, const _variant_t& visible,
                                             const _variant_t& recursive) {
  return FetchObject<CommandBarControlPtr>(this, [&](CommandBarControl** control) {
    return raw_FindControl(type, id, tag, visible, recursive, control);
  });
}

int CommandBarControls::GetCount() { return GetValue(this, &CommandBarControls::get_Count); }

CommandBarControlPtr CommandBarControls::GetItem(const _variant_t& index) {
  return FetchObject<CommandBarControlPtr>(
      this, [&](CommandBarControl** control) { return get_Item(index, control); });
}

CommandBarControlPtr CommandBarControls::Add(const _variant_t& type, const _variant_t& id,
                                             const _variant_t& parameter, const _variant_t& before,
                                             const _variant_t& temporary) {
  return FetchObject<CommandBarControlPtr>(this, [&](CommandBarControl** control) {
    return raw_Add(type, id, parameter, before, temporary, control);
  });
}

}  // namespace Office
