// Late-bound calls of C++ member functions: the arguments of IDispatch::Invoke (last
// argument first, in VARIANTs) are read into the parameter types of the member, which
// is then called. Used by type-library descriptions and by event sinks.
//
// Parameter types and what they accept (a VT_BYREF form of the type is accepted too):
//   LONG, int-sized enums   VT_I4, VT_I2, VT_UI1, VT_UI4, VT_BOOL
//   SHORT (VARIANT_BOOL)    VT_BOOL, VT_I2
//   BSTR                    VT_BSTR (borrowed)
//   VARIANT                 any (borrowed)
//   I* (I a COM interface)  VT_DISPATCH, VT_UNKNOWN (asked for I; NULL when the object
//                           lacks it), VT_EMPTY as NULL
//   SAFEARRAY**             VT_BYREF | VT_ARRAY, VT_ARRAY, or a missing argument
//                           (VT_ERROR, VT_EMPTY) as a pointer to NULL
//   BSTR*, SHORT*, LONG*, VARIANT*, I**   out parameters: VT_BYREF of the type (for
//                           VARIANT* also a plain VARIANT) or, as the last parameter
//                           when its argument is left out, the call's result
// A wrong count is DISP_E_BADPARAMCOUNT, a wrong type DISP_E_TYPEMISMATCH with the
// argument's index in *argError, named arguments DISP_E_NONAMEDARGS.
#pragma once

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "com/dispatch.h"
#include "com/variant.h"

namespace kelvra::dispatch {

// The VARIANT an argument arrived in; VT_BYREF | VT_VARIANT is followed once.
inline VARIANT& Arrived(VARIANT& value) {
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) return *value.pvarVal;
  return value;
}

inline bool IsType(const VARIANT& value, VARTYPE type) {
  return value.vt == type || value.vt == (VT_BYREF | type);
}

template <class T>
T ByValueOrRef(const VARIANT& value, T VARIANT::*direct, T* VARIANT::*byRef) {
  if ((value.vt & VT_BYREF) != 0) return value.*byRef != nullptr ? *(value.*byRef) : T{};
  return value.*direct;
}

template <class T>
concept ComInterface = std::is_base_of_v<IUnknown, T>;

template <class T>
concept Int32Like = (std::is_integral_v<T> && sizeof(T) == 4) || std::is_enum_v<T>;

template <class T>
class Slot;

template <Int32Like T>
class Slot<T> {
 public:
  static constexpr bool kOut = false;
  HRESULT Load(VARIANT& value) {
    if (IsType(value, VT_I4)) return Set(ByValueOrRef(value, &VARIANT::lVal, &VARIANT::plVal));
    if (IsType(value, VT_UI4))
      return Set(static_cast<LONG>(ByValueOrRef(value, &VARIANT::ulVal, &VARIANT::pulVal)));
    if (IsType(value, VT_I2)) return Set(ByValueOrRef(value, &VARIANT::iVal, &VARIANT::piVal));
    if (IsType(value, VT_BOOL))
      return Set(ByValueOrRef(value, &VARIANT::boolVal, &VARIANT::pboolVal));
    if (IsType(value, VT_UI1)) return Set(ByValueOrRef(value, &VARIANT::bVal, &VARIANT::pbVal));
    return DISP_E_TYPEMISMATCH;
  }
  T Get() const { return value_; }

 private:
  HRESULT Set(LONG value) {
    value_ = static_cast<T>(value);
    return S_OK;
  }
  T value_{};
};

template <>
class Slot<SHORT> {
 public:
  static constexpr bool kOut = false;
  HRESULT Load(VARIANT& value) {
    if (IsType(value, VT_BOOL)) {
      value_ = ByValueOrRef(value, &VARIANT::boolVal, &VARIANT::pboolVal);
    } else if (IsType(value, VT_I2)) {
      value_ = ByValueOrRef(value, &VARIANT::iVal, &VARIANT::piVal);
    } else {
      return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
  }
  SHORT Get() const { return value_; }

 private:
  SHORT value_ = 0;
};

template <>
class Slot<BSTR> {
 public:
  static constexpr bool kOut = false;
  HRESULT Load(VARIANT& value) {
    if (!IsType(value, VT_BSTR)) return DISP_E_TYPEMISMATCH;
    value_ = ByValueOrRef(value, &VARIANT::bstrVal, &VARIANT::pbstrVal);
    return S_OK;
  }
  BSTR Get() const { return value_; }

 private:
  BSTR value_ = nullptr;
};

template <>
class Slot<VARIANT> {
 public:
  static constexpr bool kOut = false;
  HRESULT Load(VARIANT& value) {
    value_ = Arrived(value);
    return S_OK;
  }
  VARIANT Get() const { return value_; }

 private:
  VARIANT value_{};
};

template <ComInterface I>
class Slot<I*> {
 public:
  static constexpr bool kOut = false;
  Slot() = default;
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;
  ~Slot() {
    if (value_ != nullptr) value_->Release();
  }
  HRESULT Load(VARIANT& value) {
    IUnknown* object = nullptr;
    if (IsType(value, VT_DISPATCH)) {
      object = ByValueOrRef(value, &VARIANT::pdispVal, &VARIANT::ppdispVal);
    } else if (IsType(value, VT_UNKNOWN)) {
      object = ByValueOrRef(value, &VARIANT::punkVal, &VARIANT::ppunkVal);
    } else if (value.vt != VT_EMPTY) {
      return DISP_E_TYPEMISMATCH;
    }
    if (object != nullptr &&
        FAILED(object->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&value_)))) {
      value_ = nullptr;
    }
    return S_OK;
  }
  I* Get() const { return value_; }

 private:
  I* value_ = nullptr;
};

template <>
class Slot<SAFEARRAY**> {
 public:
  static constexpr bool kOut = false;
  HRESULT Load(VARIANT& value) {
    if ((value.vt & ~VT_BYREF & VT_ARRAY) != 0) {
      if ((value.vt & VT_BYREF) != 0) {
        where_ = value.pparray;
      } else {
        held_ = value.parray;
      }
      return S_OK;
    }
    if (value.vt == VT_ERROR || value.vt == VT_EMPTY) return S_OK;
    return DISP_E_TYPEMISMATCH;
  }
  SAFEARRAY** Get() { return where_ != nullptr ? where_ : &held_; }

 private:
  SAFEARRAY** where_ = nullptr;
  SAFEARRAY* held_ = nullptr;
};

// Out parameters. Value is the stored type, Type its VARTYPE; Put stores the value in a
// result VARIANT; Free drops a value that was never handed on.
template <class Value, VARTYPE Type, Value* VARIANT::*ByRef>
class OutSlot {
 public:
  static constexpr bool kOut = true;
  OutSlot() = default;
  OutSlot(const OutSlot&) = delete;
  OutSlot& operator=(const OutSlot&) = delete;
  HRESULT Load(VARIANT& value) {
    if (value.vt != (VT_BYREF | Type) || value.*ByRef == nullptr) return DISP_E_TYPEMISMATCH;
    where_ = value.*ByRef;
    return S_OK;
  }
  void PrepareResult() { where_ = &local_; }
  Value* Get() const { return where_; }

 protected:
  Value local_{};
  Value* where_ = nullptr;
};

template <>
class Slot<BSTR*> : public OutSlot<BSTR, VT_BSTR, &VARIANT::pbstrVal> {
 public:
  ~Slot() { SysFreeString(local_); }
  void MoveTo(VARIANT* result) {
    result->vt = VT_BSTR;
    result->bstrVal = std::exchange(local_, nullptr);
  }
};

template <>
class Slot<SHORT*> : public OutSlot<SHORT, VT_BOOL, &VARIANT::pboolVal> {
 public:
  void MoveTo(VARIANT* result) {
    result->vt = VT_BOOL;
    result->boolVal = local_;
  }
};

template <>
class Slot<LONG*> : public OutSlot<LONG, VT_I4, &VARIANT::plVal> {
 public:
  void MoveTo(VARIANT* result) {
    result->vt = VT_I4;
    result->lVal = local_;
  }
};

template <ComInterface I>
class Slot<I**> {
 public:
  static constexpr bool kOut = true;
  static constexpr VARTYPE kType = std::is_base_of_v<IDispatch, I> ? VT_DISPATCH : VT_UNKNOWN;
  Slot() = default;
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;
  ~Slot() {
    if (local_ != nullptr) local_->Release();
  }
  HRESULT Load(VARIANT& value) {
    if (value.vt != (VT_BYREF | kType) || value.byref == nullptr) return DISP_E_TYPEMISMATCH;
    where_ = static_cast<I**>(value.byref);
    return S_OK;
  }
  void PrepareResult() { where_ = &local_; }
  I** Get() const { return where_; }
  void MoveTo(VARIANT* result) {
    result->vt = kType;
    if constexpr (kType == VT_DISPATCH) {
      result->pdispVal = std::exchange(local_, nullptr);
    } else {
      result->punkVal = std::exchange(local_, nullptr);
    }
  }

 private:
  I* local_ = nullptr;
  I** where_ = nullptr;
};

template <>
class Slot<VARIANT*> {
 public:
  static constexpr bool kOut = true;
  Slot() { VariantInit(&local_); }
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;
  ~Slot() { VariantClear(&local_); }
  HRESULT Load(VARIANT& value) {
    where_ = &Arrived(value);
    return S_OK;
  }
  void PrepareResult() { where_ = &local_; }
  VARIANT* Get() const { return where_; }
  void MoveTo(VARIANT* result) {
    *result = local_;
    VariantInit(&local_);
  }

 private:
  VARIANT local_;
  VARIANT* where_ = nullptr;
};

template <class... A>
constexpr bool LastIsOut() {
  if constexpr (sizeof...(A) == 0) {
    return false;
  } else {
    return Slot<std::tuple_element_t<sizeof...(A) - 1, std::tuple<A...>>>::kOut;
  }
}

template <class Member>
struct MemberTraits;

template <class Object, class R, class... A>
struct MemberTraits<R (Object::*)(A...)> {
  using Class = Object;
};

template <class Object, class R, class... A, std::size_t... I>
HRESULT InvokeWith(Object* object, R (Object::*method)(A...), DISPPARAMS* params, VARIANT* result,
                   UINT* argError, std::index_sequence<I...>) {
  static_assert(std::is_void_v<R> || std::is_same_v<R, HRESULT>,
                "a late-bound member returns HRESULT or nothing");
  constexpr UINT count = sizeof...(A);
  const UINT given = params != nullptr ? params->cArgs : 0;
  if (params != nullptr && params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  const bool toResult = LastIsOut<A...>() && given + 1 == count;
  if (given != count && !toResult) return DISP_E_BADPARAMCOUNT;

  std::tuple<Slot<A>...> slots;
  HRESULT loaded = S_OK;
  [[maybe_unused]] const auto load = [&](auto& slot, UINT index) {
    if (FAILED(loaded)) return;
    if constexpr (std::remove_reference_t<decltype(slot)>::kOut) {
      if (toResult && index == count - 1) {
        slot.PrepareResult();
        return;
      }
    }
    // Arguments arrive last first.
    const UINT position = given - 1 - index;
    loaded = slot.Load(params->rgvarg[position]);
    if (FAILED(loaded) && argError != nullptr) *argError = position;
  };
  (load(std::get<I>(slots), static_cast<UINT>(I)), ...);
  if (FAILED(loaded)) return loaded;

  HRESULT called = S_OK;
  if constexpr (std::is_void_v<R>) {
    (object->*method)(std::get<I>(slots).Get()...);
  } else {
    called = (object->*method)(std::get<I>(slots).Get()...);
  }
  if constexpr (LastIsOut<A...>()) {
    if (toResult && SUCCEEDED(called) && result != nullptr) {
      VariantClear(result);
      std::get<count - 1>(slots).MoveTo(result);
    }
  }
  return called;
}

// Calls method on object with the arguments of an Invoke.
template <class Object, class R, class... A>
HRESULT Invoke(Object* object, R (Object::*method)(A...), DISPPARAMS* params, VARIANT* result,
               UINT* argError) {
  return InvokeWith(object, method, params, result, argError, std::index_sequence_for<A...>{});
}

}  // namespace kelvra::dispatch
