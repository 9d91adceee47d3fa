#include "com/Picture.h"

#include <atomic>
#include <mutex>
#include <set>

#include "win32/gdi.h"

namespace kelvra::com {

namespace {

std::mutex& Lock() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

// The pictures alive, by identity, for Of.
std::set<const void*>& Identities() {
  static auto* identities = new std::set<const void*>;
  return *identities;
}

const void* IdentityOf(const Picture* picture) {
  return static_cast<const IUnknown*>(static_cast<const IPictureDisp*>(picture));
}

}  // namespace

Picture::Picture(SHORT type, void* handle, bool owned)
    : type_(type), handle_(handle), owned_(owned) {
  std::lock_guard lock(Lock());
  Identities().insert(IdentityOf(this));
}

Picture::~Picture() {
  {
    std::lock_guard lock(Lock());
    Identities().erase(IdentityOf(this));
  }
  if (!owned_) return;
  if (type_ == PICTYPE_ICON) {
    DestroyIcon(static_cast<HICON>(handle_));
  } else {
    DeleteObject(handle_);
  }
}

STDMETHODIMP Picture::get_Handle(OLE_HANDLE* handle) {
  if (handle == nullptr) return E_POINTER;
  *handle = static_cast<OLE_HANDLE>(reinterpret_cast<std::uintptr_t>(handle_));
  return S_OK;
}

STDMETHODIMP Picture::get_hPal(OLE_HANDLE* palette) {
  if (palette == nullptr) return E_POINTER;
  *palette = 0;
  return S_OK;
}

STDMETHODIMP Picture::get_Type(SHORT* type) {
  if (type == nullptr) return E_POINTER;
  *type = type_;
  return S_OK;
}

// Sizes are not known to the stand-in's handles.
STDMETHODIMP Picture::get_Width(OLE_XSIZE_HIMETRIC* width) {
  if (width == nullptr) return E_POINTER;
  *width = 0;
  return S_OK;
}

STDMETHODIMP Picture::get_Height(OLE_YSIZE_HIMETRIC* height) {
  if (height == nullptr) return E_POINTER;
  *height = 0;
  return S_OK;
}

namespace {

std::atomic<HRESULT> creationFailure{S_OK};

}  // namespace

void Picture::FailCreation(HRESULT failure) { creationFailure = failure; }

HRESULT Picture::CreationFailure() { return creationFailure.load(); }

std::size_t Picture::Alive() {
  std::lock_guard lock(Lock());
  return Identities().size();
}

const Picture* Picture::Of(IUnknown* object) {
  if (object == nullptr) return nullptr;
  IUnknown* identity = nullptr;
  if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)))) {
    return nullptr;
  }
  identity->Release();
  std::lock_guard lock(Lock());
  if (Identities().count(identity) == 0) return nullptr;
  return static_cast<const Picture*>(static_cast<const IPictureDisp*>(identity));
}

}  // namespace kelvra::com
