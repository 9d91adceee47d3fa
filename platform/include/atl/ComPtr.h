// CComPtr and CComQIPtr: owners of one interface reference.
#pragma once

#include <type_traits>
#include <utility>

#include "com/com_ptr_t.h"
#include "com/unknwn.h"

namespace ATL {

template <class T>
class CComPtr {
 public:
  CComPtr() noexcept = default;
  CComPtr(T* other) noexcept : p(other) {
    if (p != nullptr) p->AddRef();
  }
  CComPtr(const CComPtr& other) noexcept : CComPtr(other.p) {}
  CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
  ~CComPtr() { Release(); }

  CComPtr& operator=(T* other) noexcept {
    if (other != nullptr) other->AddRef();
    Attach(other);
    return *this;
  }
  CComPtr& operator=(const CComPtr& other) noexcept { return *this = other.p; }
  CComPtr& operator=(CComPtr&& other) noexcept {
    if (this != &other) Attach(std::exchange(other.p, nullptr));
    return *this;
  }

  operator T*() const noexcept { return p; }
  T& operator*() const noexcept { return *p; }
  T* operator->() const noexcept { return p; }
  // Where a callee stores a new reference. Meant for an empty pointer; a held
  // reference is released first, so that none leaks.
  T** operator&() noexcept {
    Release();
    return &p;
  }
  bool operator!() const noexcept { return p == nullptr; }
  bool operator==(T* other) const noexcept { return p == other; }

  // Releases the reference and becomes NULL (nothing when already NULL).
  void Release() noexcept {
    if (T* held = std::exchange(p, nullptr)) held->Release();
  }
  // Takes over the caller's reference; the held one is released.
  void Attach(T* other) noexcept {
    if (T* held = std::exchange(p, other)) held->Release();
  }
  T* Detach() noexcept { return std::exchange(p, nullptr); }
  HRESULT CopyTo(T** out) const noexcept {
    if (out == nullptr) return E_POINTER;
    *out = p;
    if (p != nullptr) p->AddRef();
    return S_OK;
  }
  template <class Q>
  HRESULT QueryInterface(Q** out) const noexcept {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (p == nullptr) return E_POINTER;
    return p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(out));
  }
  // Same COM object (compared by IUnknown); two NULLs are equal.
  bool IsEqualObject(IUnknown* other) const noexcept { return kelvra::IsSameComObject(p, other); }

  T* p = nullptr;
};

// Built or assigned from another interface, it asks the object for its own and stays
// NULL when the object does not have it.
template <class T, const IID* piid = &__uuidof(T)>
class CComQIPtr : public CComPtr<T> {
 public:
  CComQIPtr() noexcept = default;
  CComQIPtr(T* other) noexcept : CComPtr<T>(other) {}
  CComQIPtr(const CComQIPtr& other) noexcept : CComPtr<T>(other.p) {}
  template <class Other>
  requires(std::is_base_of_v<IUnknown, Other> && !std::is_base_of_v<T, Other>)
      CComQIPtr(Other* other)
  noexcept { Query(other); }
  CComQIPtr& operator=(T* other) noexcept {
    CComPtr<T>::operator=(other);
    return *this;
  }
  CComQIPtr& operator=(const CComQIPtr& other) noexcept {
    CComPtr<T>::operator=(other.p);
    return *this;
  }
  template <class Other>
  requires(std::is_base_of_v<IUnknown, Other> && !std::is_base_of_v<T, Other>) CComQIPtr& operator=(
      Other* other) noexcept {
    CComPtr<T> previous;
    previous.p = this->Detach();
    Query(other);
    return *this;
  }

 private:
  template <class Other>
  void Query(Other* other) noexcept {
    if (other != nullptr &&
        FAILED(other->QueryInterface(*piid, reinterpret_cast<void**>(&this->p)))) {
      this->p = nullptr;
    }
  }
};

}  // namespace ATL
