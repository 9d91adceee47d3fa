#include "office/ControlList.h"

#include <algorithm>

#include "office/BarButton.h"
#include "office/BarPopup.h"
#include "office/ControlSearch.h"
#include "outlook/CallGate.h"
#include "outlook/OutParam.h"

namespace kelvra::office {

ControlList::ControlList(Office::CommandBar* bar) : bar_(bar) {}

ControlList::~ControlList() {
  for (ControlNode* node : nodes_) {
    node->list = nullptr;
    node->Control()->Release();
  }
}

STDMETHODIMP ControlList::get_Count(int* count) {
  return outlook::HandOutValue(count, static_cast<int>(nodes_.size()));
}

STDMETHODIMP ControlList::get_Item(VARIANT index, Office::CommandBarControl** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  ControlNode* found = nullptr;
  long position = 0;
  if (NumberOf(index, &position)) {
    if (position >= 1 && position <= static_cast<long>(nodes_.size())) found = nodes_[position - 1];
  } else if (index.vt == VT_BSTR) {
    const std::u16string caption = outlook::TextOf(index.bstrVal);
    found =
        Find([&](const ControlNode& node) { return node.properties.caption == caption; }, false);
  }
  if (found == nullptr) return E_INVALIDARG;
  *control = found->Control();
  (*control)->AddRef();
  return S_OK;
}

STDMETHODIMP ControlList::raw_Add(VARIANT type, VARIANT id, VARIANT, VARIANT before,
                                  VARIANT temporary, Office::CommandBarControl** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  const HRESULT entered = outlook::CallGate::Enter("CommandBarControls.Add");
  if (FAILED(entered)) return entered;
  long kind = Office::msoControlButton;
  if (!IsMissing(type) && !NumberOf(type, &kind)) return E_INVALIDARG;
  if (kind != Office::msoControlButton && kind != Office::msoControlPopup) return E_INVALIDARG;
  long builtIn = 1;
  if (!IsMissing(id) && !NumberOf(id, &builtIn)) return E_INVALIDARG;
  long position = 0;
  if (!IsMissing(before) && !NumberOf(before, &position)) return E_INVALIDARG;
  if (!IsMissing(before) && (position < 1 || position > static_cast<long>(nodes_.size()) + 1)) {
    return E_INVALIDARG;
  }
  long isTemporary = 0;
  if (!IsMissing(temporary) && !NumberOf(temporary, &isTemporary)) return E_INVALIDARG;

  ControlNode* node = nullptr;
  if (kind == Office::msoControlPopup) {
    node = new BarPopup;
  } else {
    node = new BarButton;
  }
  node->properties.id = static_cast<int>(builtIn);
  node->properties.temporary = isTemporary != 0;
  Insert(node, static_cast<int>(position));
  *control = node->Control();
  (*control)->AddRef();
  return S_OK;
}

int ControlList::IndexOf(const ControlNode* node) const {
  const auto found = std::find(nodes_.begin(), nodes_.end(), node);
  return found == nodes_.end() ? 0 : static_cast<int>(found - nodes_.begin()) + 1;
}

void ControlList::Insert(ControlNode* node, int position) {
  node->Control()->AddRef();
  node->list = this;
  const auto at = position == 0 ? nodes_.end() : nodes_.begin() + (position - 1);
  nodes_.insert(at, node);
}

bool ControlList::Remove(ControlNode* node) {
  const auto found = std::find(nodes_.begin(), nodes_.end(), node);
  if (found == nodes_.end()) return false;
  nodes_.erase(found);
  node->list = nullptr;
  node->Control()->Release();
  return true;
}

ControlNode* ControlList::Find(const std::function<bool(const ControlNode&)>& matches,
                               bool recursive) const {
  for (ControlNode* node : nodes_) {
    if (matches(*node)) return node;
    if (!recursive || node->Menu() == nullptr) continue;
    if (ControlNode* inside = node->Menu()->Find(matches, true)) return inside;
  }
  return nullptr;
}

}  // namespace kelvra::office
