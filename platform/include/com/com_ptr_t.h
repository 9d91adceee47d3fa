// _com_ptr_t: the interface smart pointer (XxxPtr), owner of one reference.
//
// Built or assigned from a pointer or smart pointer of another interface, it asks the
// object for its own interface (QueryInterface) and stays NULL when the object does
// not have it. Comparisons use the objects' identity (their IUnknown).
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "com/com_error.h"
#include "com/unknwn.h"
#include "com/variant_t.h"

// Binds an interface type to its IID.
template <class Itf, const IID* Iid>
class _com_IIID {
 public:
  using Interface = Itf;
  static const IID& GetIID() noexcept { return *Iid; }
};

namespace kelvra {

// A COM object's identity: the pointer it answers for IUnknown (the pointer itself
// when it does not answer).
template <class Itf>
const void* ComIdentity(Itf* object) noexcept {
  IUnknown* unknown = nullptr;
  if (FAILED(object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&unknown))) ||
      unknown == nullptr) {
    return object;
  }
  unknown->Release();
  return unknown;
}

template <class A, class B>
bool IsSameComObject(A* a, B* b) noexcept {
  if (a == nullptr || b == nullptr) return a == nullptr && b == nullptr;
  return ComIdentity(a) == ComIdentity(b);
}

}  // namespace kelvra

template <class IidTraits>
class _com_ptr_t {
 public:
  using Interface = typename IidTraits::Interface;

  static const IID& GetIID() noexcept { return IidTraits::GetIID(); }

  _com_ptr_t() noexcept = default;
  _com_ptr_t(std::nullptr_t) noexcept {}
  // NULL or 0; any other number raises E_POINTER.
  template <std::integral Null>
  _com_ptr_t(Null null) {
    if (null != 0) _com_issue_error(E_POINTER);
  }
  _com_ptr_t(Interface* object) noexcept : object_(object) { AddRefHeld(); }
  _com_ptr_t(Interface* object, bool addRef) noexcept : object_(object) {
    if (addRef) AddRefHeld();
  }
  _com_ptr_t(const _com_ptr_t& other) noexcept : _com_ptr_t(other.object_) {}
  _com_ptr_t(_com_ptr_t&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class Other>
  requires std::is_base_of_v<IUnknown, Other> _com_ptr_t(Other* object) { QueryFrom(object); }
  template <class OtherTraits>
  _com_ptr_t(const _com_ptr_t<OtherTraits>& other) {
    QueryFrom(other.GetInterfacePtr());
  }
  // From VT_DISPATCH or VT_UNKNOWN; DISP_E_TYPEMISMATCH for another type.
  _com_ptr_t(const _variant_t& value) {
    if (value.vt == VT_DISPATCH) {
      QueryFrom(value.pdispVal);
    } else if (value.vt == VT_UNKNOWN) {
      QueryFrom(value.punkVal);
    } else {
      _com_issue_error(DISP_E_TYPEMISMATCH);
    }
  }
  ~_com_ptr_t() { ReleaseHeld(); }

  _com_ptr_t& operator=(const _com_ptr_t& other) noexcept {
    _com_ptr_t(other).Swap(*this);
    return *this;
  }
  _com_ptr_t& operator=(_com_ptr_t&& other) noexcept {
    _com_ptr_t(std::move(other)).Swap(*this);
    return *this;
  }
  // Whatever a _com_ptr_t can be built from, with the same rules.
  template <class Source>
  requires(!std::is_same_v<std::remove_cvref_t<Source>, _com_ptr_t> &&
           std::is_constructible_v<_com_ptr_t, Source&&>) _com_ptr_t&
  operator=(Source&& source) {
    _com_ptr_t(std::forward<Source>(source)).Swap(*this);
    return *this;
  }

  operator Interface*() const noexcept { return object_; }
  Interface* GetInterfacePtr() const noexcept { return object_; }
  // E_POINTER when NULL.
  Interface* operator->() const {
    if (object_ == nullptr) _com_issue_error(E_POINTER);
    return object_;
  }
  Interface& operator*() const { return *operator->(); }
  // Where a callee is to store a new reference: the held one is released first.
  Interface** operator&() noexcept {
    ReleaseHeld();
    object_ = nullptr;
    return &object_;
  }

  // Takes over the caller's reference (or a new one with addRef).
  void Attach(Interface* object) noexcept { _com_ptr_t(object, false).Swap(*this); }
  void Attach(Interface* object, bool addRef) noexcept { _com_ptr_t(object, addRef).Swap(*this); }
  // Hands the reference to the caller.
  Interface* Detach() noexcept { return std::exchange(object_, nullptr); }
  // E_POINTER when NULL.
  void AddRef() { operator->()->AddRef(); }
  // Releases the held reference and becomes NULL; E_POINTER when already NULL.
  void Release() {
    Interface* held = operator->();
    object_ = nullptr;
    held->Release();
  }

  bool operator==(std::nullptr_t) const noexcept { return object_ == nullptr; }
  // NULL or 0; any other number raises E_POINTER.
  template <std::integral Null>
  bool operator==(Null null) const {
    if (null != 0) _com_issue_error(E_POINTER);
    return object_ == nullptr;
  }
  template <class Other>
  requires std::is_base_of_v<IUnknown, Other>
  bool operator==(Other* other) const noexcept { return kelvra::IsSameComObject(object_, other); }
  template <class OtherTraits>
  bool operator==(const _com_ptr_t<OtherTraits>& other) const noexcept {
    return kelvra::IsSameComObject(object_, other.GetInterfacePtr());
  }

 private:
  void AddRefHeld() noexcept {
    if (object_ != nullptr) object_->AddRef();
  }
  void ReleaseHeld() noexcept {
    if (object_ != nullptr) object_->Release();
  }
  void Swap(_com_ptr_t& other) noexcept { std::swap(object_, other.object_); }

  // Any failure but E_NOINTERFACE is raised.
  template <class Other>
  void QueryFrom(Other* other) {
    if (other == nullptr) return;
    void* found = nullptr;
    HRESULT result = other->QueryInterface(GetIID(), &found);
    if (FAILED(result)) {
      if (result != E_NOINTERFACE) _com_issue_error(result);
      return;
    }
    object_ = static_cast<Interface*>(found);
  }

  Interface* object_ = nullptr;
};

// Declares InterfacePtr, the smart pointer of Interface.
#define _COM_SMARTPTR_TYPEDEF(Interface, iid) \
  using Interface##Ptr = ::_com_ptr_t<::_com_IIID<Interface, &(iid)>>
