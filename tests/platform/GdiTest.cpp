// GDI objects: created, described, selected, drawn into and deleted, and counted.
#include <gtest/gtest.h>

#include <cstring>

#include "testkit/Windows.h"
#include "win32/windows.h"

namespace {

class GdiTest : public ::testing::Test {
 protected:
  void SetUp() override { before_ = testkit::GdiObjectCount(); }
  void TearDown() override {
    EXPECT_EQ(testkit::GdiObjectCount(), before_) << "a GDI object leaked";
  }

  int before_ = 0;
  HMODULE module_ = GetModuleHandleA("Kelvra.dll");
};

using GdiFontTest = GdiTest;

TEST_F(GdiFontTest, AFontKeepsItsDescriptionForGetObject) {
  LOGFONTA wanted{};
  wanted.lfHeight = -11;
  wanted.lfWeight = FW_BOLD;
  wanted.lfUnderline = 1;
  std::strcpy(wanted.lfFaceName, "MS Shell Dlg");
  HFONT font = CreateFontIndirectA(&wanted);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(testkit::GdiObjectCount(), before_ + 1);
  LOGFONTA got{};
  EXPECT_EQ(GetObjectA(font, sizeof got, &got), static_cast<int>(sizeof got));
  EXPECT_EQ(got.lfWeight, FW_BOLD);
  EXPECT_EQ(got.lfUnderline, 1);
  EXPECT_STREQ(got.lfFaceName, "MS Shell Dlg");
  EXPECT_EQ(GetObjectA(font, 4, &got), 0);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
  EXPECT_EQ(GetObjectA(font, sizeof got, &got), 0);
}

TEST_F(GdiFontTest, SharedBrushesAndStockObjectsAreNeitherCountedNorDeleted) {
  HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
  EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), window);
  EXPECT_FALSE(DeleteObject(window));
  EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), nullptr);
  EXPECT_EQ(testkit::GdiObjectCount(), before_);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
}

using GdiDrawingTest = GdiTest;

// The way an icon becomes a button picture: a bitmap filled with a colour, the icon
// drawn over it.
TEST_F(GdiDrawingTest, AnIconDrawnOverAFilledBitmapIsRecordedInTheBitmap) {
  HICON icon = static_cast<HICON>(
      LoadImageA(module_, MAKEINTRESOURCEA(281), IMAGE_ICON, 24, 24, LR_DEFAULTCOLOR));
  ASSERT_NE(icon, nullptr);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 24, 24);
  HGDIOBJ old = SelectObject(memory, bitmap);
  ASSERT_NE(old, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(240, 240, 240));
  RECT all{0, 0, 24, 24};
  EXPECT_EQ(FillRect(memory, &all, brush), 1);
  EXPECT_TRUE(DrawIconEx(memory, 0, 0, icon, 24, 24, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DeleteObject(bitmap));  // still selected
  SelectObject(memory, old);
  testkit::ImageInfo info = testkit::ImageOf(bitmap);
  EXPECT_EQ(info.width, 24);
  EXPECT_TRUE(info.filled);
  EXPECT_EQ(info.fillColor, RGB(240, 240, 240));
  EXPECT_EQ(info.iconId, 281);
  EXPECT_FALSE(DeleteObject(icon));  // icons go with DestroyIcon
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(GdiDrawingTest, BitBltCopiesWhatWasDrawnAndColoursAreKept) {
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP from = CreateCompatibleBitmap(screen, 8, 8);
  HBITMAP to = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ oldFrom = SelectObject(source, from);
  HGDIOBJ oldTo = SelectObject(target, to);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 8, 8};
  FillRect(source, &all, red);
  EXPECT_TRUE(BitBlt(target, 0, 0, 8, 8, source, 0, 0, SRCCOPY));
  EXPECT_EQ(testkit::ImageOf(to).fillColor, RGB(255, 0, 0));
  EXPECT_EQ(SetBkColor(target, RGB(1, 2, 3)), RGB(255, 255, 255));
  EXPECT_EQ(testkit::BackColorOf(target), RGB(1, 2, 3));
  EXPECT_EQ(SetTextColor(target, RGB(0, 0, 255)), RGB(0, 0, 0));
  EXPECT_EQ(SetBkColor(nullptr, 0), CLR_INVALID);
  SelectObject(source, oldFrom);
  SelectObject(target, oldTo);
  DeleteObject(red);
  DeleteObject(from);
  DeleteObject(to);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiDrawingTest, OnlyImagesOfTheResourceScriptLoad) {
  SetLastError(0);
  EXPECT_EQ(LoadImageA(module_, MAKEINTRESOURCEA(299), IMAGE_ICON, 16, 16, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadImageA(module_, MAKEINTRESOURCEA(281), IMAGE_BITMAP, 16, 16, 0),
            nullptr);  // an icon id
  HBITMAP banner = LoadBitmapA(module_, MAKEINTRESOURCEA(272));
  ASSERT_NE(banner, nullptr);
  BITMAP description{};
  EXPECT_EQ(GetObjectA(banner, sizeof description, &description),
            static_cast<int>(sizeof description));
  EXPECT_GT(description.bmWidth, 0);
  DeleteObject(banner);
}

}  // namespace
