#include "addin/SetButtonPicture.h"

#include "addin/Application.h"
#include "com/olectl.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace {

// A picture over the bitmap that does not own it; null when there is none.
IPictureDispPtr PictureOf(HBITMAP bitmap) {
  if (bitmap == nullptr) return nullptr;
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  IPictureDisp* picture = nullptr;
  if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE,
                                      reinterpret_cast<void**>(&picture)))) {
    return nullptr;
  }
  return IPictureDispPtr(picture, false);
}

UniqueGdiObject<HBITMAP> LoadModuleBitmap(int id) {
  return UniqueGdiObject<HBITMAP>(LoadBitmapA(g_hInstance, MAKEINTRESOURCEA(id)));
}

}  // namespace

void SetButtonPicture(Office::CommandBarButton* button, int pictureId, int maskId) {
  const UniqueGdiObject<HBITMAP> picture = LoadModuleBitmap(pictureId);
  if (IPictureDispPtr image = PictureOf(picture.Get())) button->PutPicture(image);
  if (maskId == -1) return;
  const UniqueGdiObject<HBITMAP> mask = LoadModuleBitmap(maskId);
  if (IPictureDispPtr image = PictureOf(mask.Get())) button->PutMask(image);
}
