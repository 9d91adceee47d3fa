// The base of the stand-in's COM objects: reference counting and QueryInterface from
// ComObject, counted among the live objects.
#pragma once

#include "com/ComObject.h"
#include "outlook/LiveObjects.h"

namespace kelvra::outlook {

template <class... Interfaces>
class StandInObject : public ComObject<Interfaces...>, private LiveObjects {};

}  // namespace kelvra::outlook
