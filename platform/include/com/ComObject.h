// ComObject: reference counting and QueryInterface for a class that implements COM
// interfaces, so that an object is only its own members:
//
//   class Folder : public kelvra::ComObject<Outlook::MAPIFolder> {
//     STDMETHODIMP get_Name(BSTR* name) override { ... }
//     ...
//   };
//   Outlook::MAPIFolderPtr folder(new Folder);  // count 1
//
// The object starts with count 0, is deleted when Release brings the count back to 0,
// and answers QueryInterface for IUnknown (always through the first interface listed,
// its identity), IDispatch (when an interface derives from it), each listed interface,
// and the bases each of them names as BaseInterface (an interface derived from another
// interface than IDispatch names its base so). The IDispatch members answer E_NOTIMPL
// until a derived class gives them.
#pragma once

#include <atomic>
#include <tuple>
#include <type_traits>

#include "com/dispatch.h"
#include "com/unknwn.h"

namespace kelvra {

namespace detail {

template <class Itf>
class DispatchDefaults : public Itf {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }
};

template <class Itf>
using ImplementedInterface =
    std::conditional_t<std::is_base_of_v<IDispatch, Itf>, DispatchDefaults<Itf>, Itf>;

template <class Itf>
concept NamesBaseInterface = requires {
  typename Itf::BaseInterface;
};

// The object as Itf, or as the base of Itf that iid names; NULL when neither.
template <class Itf>
void* AnswerFor(Itf* object, REFIID iid) noexcept {
  if (iid == __uuidof(Itf)) return object;
  if constexpr (NamesBaseInterface<Itf>) {
    return AnswerFor<typename Itf::BaseInterface>(object, iid);
  } else {
    return nullptr;
  }
}

}  // namespace detail

template <class... Interfaces>
class ComObject : public detail::ImplementedInterface<Interfaces>... {
  static_assert(sizeof...(Interfaces) > 0, "a COM object implements at least one interface");
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = Find(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // The current reference count, for tests and diagnostics.
  ULONG RefCount() const noexcept { return references_.load(); }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  void* Find(REFIID iid) noexcept {
    if (iid == __uuidof(IUnknown)) return static_cast<IUnknown*>(static_cast<First*>(this));
    void* found = nullptr;
    ((found = detail::AnswerFor<Interfaces>(static_cast<Interfaces*>(this), iid)) || ...);
    if (found == nullptr && iid == __uuidof(IDispatch)) found = FirstDispatch();
    return found;
  }

  IDispatch* FirstDispatch() noexcept {
    IDispatch* dispatch = nullptr;
    ((dispatch = AsDispatch<Interfaces>()) || ...);
    return dispatch;
  }

  template <class Itf>
  IDispatch* AsDispatch() noexcept {
    if constexpr (std::is_base_of_v<IDispatch, Itf>) {
      return static_cast<IDispatch*>(static_cast<Itf*>(this));
    } else {
      return nullptr;
    }
  }

  std::atomic<ULONG> references_{0};
};

}  // namespace kelvra
