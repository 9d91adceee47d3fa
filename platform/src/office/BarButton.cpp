#include "office/BarButton.h"

#include "com/Picture.h"
#include "gdi/GdiTable.h"
#include "office/ButtonRegistry.h"
#include "store/OutlookVersion.h"

namespace kelvra::office {

namespace {

// Office 2000 buttons have no Picture and Mask properties.
constexpr int kPicturesSince = 10;

HRESULT PictureMember() {
  return store::OutlookVersion::Major() >= kPicturesSince ? S_OK : DISP_E_MEMBERNOTFOUND;
}

}  // namespace

BarButton::BarButton()
    : BarControl(Office::msoControlButton),
      points_(this, {__uuidof(Office::_CommandBarButtonEvents)}) {
  ButtonRegistry::Instance().Add(this);
}

BarButton::~BarButton() { ButtonRegistry::Instance().Remove(this); }

STDMETHODIMP BarButton::get_FaceId(int* faceId) { return outlook::HandOutValue(faceId, faceId_); }

STDMETHODIMP BarButton::put_FaceId(int faceId) {
  if (list == nullptr) return E_FAIL;
  faceId_ = faceId;
  return S_OK;
}

STDMETHODIMP BarButton::get_Style(Office::MsoButtonStyle* style) {
  return outlook::HandOutValue(style, style_);
}

STDMETHODIMP BarButton::put_Style(Office::MsoButtonStyle style) {
  if (list == nullptr) return E_FAIL;
  if (style < Office::msoButtonAutomatic || style > Office::msoButtonIconAndCaption)
    return E_INVALIDARG;
  style_ = style;
  return S_OK;
}

STDMETHODIMP BarButton::get_Picture(IPictureDisp** picture) {
  const HRESULT member = PictureMember();
  return FAILED(member) ? member : HandOut(picture_, picture);
}

STDMETHODIMP BarButton::put_Picture(IPictureDisp* picture) {
  const HRESULT member = PictureMember();
  return FAILED(member) ? member : Copy(picture, picture_);
}

STDMETHODIMP BarButton::get_Mask(IPictureDisp** mask) {
  const HRESULT member = PictureMember();
  return FAILED(member) ? member : HandOut(mask_, mask);
}

STDMETHODIMP BarButton::put_Mask(IPictureDisp* mask) {
  const HRESULT member = PictureMember();
  return FAILED(member) ? member : Copy(mask, mask_);
}

HRESULT BarButton::Copy(IPictureDisp* picture, std::optional<ImageCopy>& copy) {
  const com::Picture* source = com::Picture::Of(picture);
  if (source == nullptr || source->type() != PICTYPE_BITMAP) return E_INVALIDARG;
  const auto bitmap = platform::GdiTable::Instance().Get(source->handle());
  if (!bitmap || bitmap->kind != platform::GdiKind::kBitmap) return E_INVALIDARG;
  copy = ImageCopy{bitmap->width, bitmap->height, bitmap->resourceId};
  return S_OK;
}

HRESULT BarButton::HandOut(const std::optional<ImageCopy>& copy, IPictureDisp** picture) {
  if (picture == nullptr) return E_POINTER;
  *picture = nullptr;
  if (!copy) return S_OK;
  platform::GdiObject bitmap;
  bitmap.kind = platform::GdiKind::kBitmap;
  bitmap.width = copy->width;
  bitmap.height = copy->height;
  bitmap.resourceId = copy->resourceId;
  auto* made = new com::Picture(PICTYPE_BITMAP, platform::GdiTable::Instance().Add(bitmap), true);
  made->AddRef();
  const HRESULT answered =
      made->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(picture));
  made->Release();
  return answered;
}

STDMETHODIMP BarButton::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP BarButton::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return points_.Find(iid, point);
}

std::size_t BarButton::Connections() const {
  return points_.Connections(__uuidof(Office::_CommandBarButtonEvents));
}

void BarButton::RaiseClick(Office::CommandBarButton* clicked) {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT arguments[2]{};
  arguments[0].vt = VT_BYREF | VT_BOOL;
  arguments[0].pboolVal = &cancel;
  arguments[1].vt = VT_DISPATCH;
  arguments[1].pdispVal = clicked;
  DISPPARAMS params{arguments, nullptr, 2, 0};
  points_.Raise(__uuidof(Office::_CommandBarButtonEvents), Office::kDispidClick, &params);
}

}  // namespace kelvra::office
