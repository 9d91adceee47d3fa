#include "office/ControlSearch.h"

#include <optional>

#include "outlook/OutParam.h"

namespace kelvra::office {

bool IsMissing(const VARIANT& value) { return value.vt == VT_ERROR || value.vt == VT_EMPTY; }

bool NumberOf(const VARIANT& value, long* number) {
  const bool byRef = (value.vt & VT_BYREF) != 0;
  switch (value.vt & ~VT_BYREF) {
    case VT_I4:
      *number = byRef ? *value.plVal : value.lVal;
      return true;
    case VT_I2:
      *number = byRef ? *value.piVal : value.iVal;
      return true;
    case VT_BOOL:
      *number = (byRef ? *value.pboolVal : value.boolVal) != VARIANT_FALSE ? 1 : 0;
      return true;
    default:
      return false;
  }
}

namespace {

// A number argument, or nullopt when left out; *result E_INVALIDARG for another kind.
std::optional<long> NumberArgument(const VARIANT& value, HRESULT* result) {
  if (IsMissing(value)) return std::nullopt;
  long number = 0;
  if (!NumberOf(value, &number)) {
    *result = E_INVALIDARG;
    return std::nullopt;
  }
  return number;
}

std::optional<std::u16string> TextArgument(const VARIANT& value, HRESULT* result) {
  if (IsMissing(value)) return std::nullopt;
  if (value.vt == VT_BSTR) return outlook::TextOf(value.bstrVal);
  if (value.vt == (VT_BYREF | VT_BSTR)) return outlook::TextOf(*value.pbstrVal);
  *result = E_INVALIDARG;
  return std::nullopt;
}

}  // namespace

std::function<bool(const ControlNode&)> ControlCriteria(const VARIANT& type, const VARIANT& id,
                                                        const VARIANT& tag, const VARIANT& visible,
                                                        HRESULT* result) {
  *result = S_OK;
  const std::optional<long> wantedType = NumberArgument(type, result);
  const std::optional<long> wantedId = NumberArgument(id, result);
  const std::optional<std::u16string> wantedTag = TextArgument(tag, result);
  const std::optional<long> onlyVisible = NumberArgument(visible, result);
  return [=](const ControlNode& node) {
    const ControlProperties& p = node.properties;
    return (!wantedType || p.type == *wantedType) && (!wantedId || p.id == *wantedId) &&
           (!wantedTag || p.tag == *wantedTag) && (!onlyVisible || *onlyVisible == 0 || p.visible);
  };
}

}  // namespace kelvra::office
