#include "com/Picture.h"
#include "com/olectl.h"

namespace {

bool PictureAnswers(REFIID iid) {
  return iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IPicture ||
         iid == IID_IPictureDisp;
}

}  // namespace

HRESULT WINAPI OleCreatePictureIndirect(LPPICTDESC desc, REFIID iid, BOOL own, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (desc == nullptr) return E_POINTER;
  if (desc->cbSizeofstruct != sizeof(PICTDESC)) return E_INVALIDARG;
  void* handle = nullptr;
  if (desc->picType == PICTYPE_ICON) {
    handle = desc->icon.hicon;
  } else if (desc->picType == PICTYPE_BITMAP) {
    handle = desc->bmp.hbitmap;
  } else {
    return E_INVALIDARG;
  }
  if (handle == nullptr) return E_INVALIDARG;
  // Checked before the picture exists, so that a failure leaves the handle the caller's.
  if (!PictureAnswers(iid)) return E_NOINTERFACE;
  const HRESULT injected = kelvra::com::Picture::CreationFailure();
  if (FAILED(injected)) return injected;
  auto* picture = new kelvra::com::Picture(static_cast<SHORT>(desc->picType), handle, own != FALSE);
  picture->AddRef();
  const HRESULT answered = picture->QueryInterface(iid, object);
  picture->Release();
  return answered;
}
