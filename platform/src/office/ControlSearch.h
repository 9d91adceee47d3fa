// The search of FindControl: which controls have every property the caller gave.
#pragma once

#include <functional>

#include "com/variant.h"
#include "office/ControlNode.h"

namespace kelvra::office {

// Whether an optional argument was left out (VT_ERROR or VT_EMPTY).
bool IsMissing(const VARIANT& value);
// The test for FindControl's type, id, tag and visible arguments; E_INVALIDARG in
// *result for an argument of the wrong kind.
std::function<bool(const ControlNode&)> ControlCriteria(const VARIANT& type, const VARIANT& id,
                                                        const VARIANT& tag, const VARIANT& visible,
                                                        HRESULT* result);
// The number in a VT_I4/VT_I2/VT_BOOL argument (by value or by reference); false for
// another kind.
bool NumberOf(const VARIANT& value, long* number);

}  // namespace kelvra::office
