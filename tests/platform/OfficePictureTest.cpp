#include <gtest/gtest.h>

#include "com/comdef.h"
#include "com/olectl.h"
#include "testkit/Com.h"
#include "testkit/Windows.h"
#include "win32/gdi.h"

namespace {

class OfficePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(testkit::LivePictures(), 0u);
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bitmap_, nullptr);
    objects_ = testkit::GdiObjectCount();
  }
  void TearDown() override {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    EXPECT_EQ(testkit::LivePictures(), 0u) << "pictures were not released";
  }

  PICTDESC Bitmap() const {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap_;
    return desc;
  }

  HBITMAP bitmap_ = nullptr;
  int objects_ = 0;
};

TEST_F(OfficePictureTest, ABitmapPictureNotOwningItsBitmapLeavesItToTheCaller) {
  PICTDESC desc = Bitmap();
  IPictureDisp* picture = nullptr;
  ASSERT_EQ(
      OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, reinterpret_cast<void**>(&picture)),
      S_OK);
  const auto info = testkit::PictureOf(picture);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->type, PICTYPE_BITMAP);
  EXPECT_EQ(info->handle, static_cast<void*>(bitmap_));
  EXPECT_FALSE(info->owned);

  IPicturePtr asPicture(picture);
  ASSERT_NE(asPicture, nullptr);
  SHORT type = 0;
  OLE_HANDLE handle = 0;
  EXPECT_EQ(asPicture->get_Type(&type), S_OK);
  EXPECT_EQ(asPicture->get_Handle(&handle), S_OK);
  EXPECT_EQ(type, PICTYPE_BITMAP);
  EXPECT_EQ(handle, static_cast<OLE_HANDLE>(reinterpret_cast<std::uintptr_t>(bitmap_)));
  asPicture = nullptr;

  EXPECT_EQ(testkit::LivePictures(), 1u);
  picture->Release();
  EXPECT_EQ(testkit::LivePictures(), 0u);
  EXPECT_EQ(testkit::GdiObjectCount(), objects_) << "the bitmap is still the caller's";
}

TEST_F(OfficePictureTest, AnOwningPictureDestroysItsHandleWithIt) {
  PICTDESC desc = Bitmap();
  IUnknown* picture = nullptr;
  ASSERT_EQ(OleCreatePictureIndirect(&desc, IID_IUnknown, TRUE, reinterpret_cast<void**>(&picture)),
            S_OK);
  EXPECT_TRUE(testkit::PictureOf(picture)->owned);
  picture->Release();
  EXPECT_EQ(testkit::GdiObjectCount(), objects_ - 1);
  bitmap_ = nullptr;
}

TEST_F(OfficePictureTest, AnIconPictureTellsItsTypeAndHandle) {
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x4321));
  IPictureDispPtr picture;
  ASSERT_EQ(
      OleCreatePictureIndirect(&desc, IID_IPictureDisp, FALSE, reinterpret_cast<void**>(&picture)),
      S_OK);
  EXPECT_EQ(testkit::PictureOf(picture)->type, PICTYPE_ICON);
  EXPECT_EQ(testkit::PictureOf(picture)->handle, reinterpret_cast<void*>(0x4321));
}

TEST_F(OfficePictureTest, AFailedCreationLeavesTheHandleWithTheCaller) {
  PICTDESC desc = Bitmap();
  void* picture = reinterpret_cast<void*>(1);
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IClassFactory, TRUE, &picture), E_NOINTERFACE);
  EXPECT_EQ(picture, nullptr);
  desc.cbSizeofstruct = 12;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture), E_INVALIDARG);
  desc = Bitmap();
  desc.picType = PICTYPE_METAFILE;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture), E_INVALIDARG);
  desc = Bitmap();
  desc.bmp.hbitmap = nullptr;
  EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &picture), E_INVALIDARG);
  EXPECT_EQ(OleCreatePictureIndirect(nullptr, IID_IPictureDisp, TRUE, &picture), E_POINTER);
  EXPECT_EQ(testkit::LivePictures(), 0u);
  EXPECT_EQ(testkit::GdiObjectCount(), objects_) << "the bitmap survived every failure";
}

TEST_F(OfficePictureTest, OtherObjectsAreNoPictures) {
  EXPECT_FALSE(testkit::PictureOf(nullptr));
  testkit::EventSource other{};
  EXPECT_FALSE(testkit::PictureOf(other.Object()));
}

}  // namespace
