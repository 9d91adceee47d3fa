// The window table behind HWND (coordinates, texts, styles, visibility) and the life of
// windows: classes, creation, destruction, the foreground.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "testkit/Windows.h"
#include "win32/windows.h"

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dlg_ = testkit::CreateTestDialog({{7, "text", RECT{10, 20, 110, 40}, 0x1, true}},
                                     RECT{200, 100, 600, 400}, "title");
    ctrl_ = GetDlgItem(dlg_, 7);
  }
  void TearDown() override { testkit::DestroyTestWindow(dlg_); }

  HWND dlg_ = nullptr;
  HWND ctrl_ = nullptr;
};

using WindowLookupTest = WindowTest;

TEST_F(WindowLookupTest, ControlsAreFoundByIdWithinTheirDialog) {
  ASSERT_NE(ctrl_, nullptr);
  SetLastError(0);
  EXPECT_EQ(GetDlgItem(dlg_, 8), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
  HWND other = testkit::CreateTestDialog({{7, "other", RECT{}, 0, true}});
  EXPECT_NE(GetDlgItem(other, 7), ctrl_);
  testkit::DestroyTestWindow(other);
}

TEST_F(WindowLookupTest, ADestroyedDialogTakesItsControlsAlong) {
  testkit::DestroyTestWindow(dlg_);
  SetLastError(0);
  EXPECT_FALSE(SetWindowTextA(ctrl_, "x"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(GetDlgItem(dlg_, 7), nullptr);
  RECT r{};
  EXPECT_FALSE(GetWindowRect(ctrl_, &r));
}

using WindowCoordinatesTest = WindowTest;

TEST_F(WindowCoordinatesTest, AControlsRectangleIsOnTheScreenBelowTheDialogFrame) {
  RECT dialog{};
  RECT control{};
  ASSERT_TRUE(GetWindowRect(dlg_, &dialog));
  ASSERT_TRUE(GetWindowRect(ctrl_, &control));
  EXPECT_EQ(dialog.left, 200);
  EXPECT_EQ(dialog.top, 100);
  EXPECT_GT(control.left, 200 + 10 - 1);
  EXPECT_GT(control.top, 100 + 20);  // below the caption
  EXPECT_EQ(control.right - control.left, 100);
  EXPECT_EQ(control.bottom - control.top, 20);
}

TEST_F(WindowCoordinatesTest, MappingFromTheScreenGivesClientCoordinatesAndBack) {
  RECT control{};
  ASSERT_TRUE(GetWindowRect(ctrl_, &control));
  POINT pts[2] = {{control.left, control.top}, {control.right, control.bottom}};
  MapWindowPoints(nullptr, dlg_, pts, 2);
  EXPECT_EQ(pts[0].x, 10);
  EXPECT_EQ(pts[0].y, 20);
  EXPECT_EQ(pts[1].x, 110);
  EXPECT_EQ(pts[1].y, 40);
  MapWindowPoints(dlg_, nullptr, pts, 2);
  EXPECT_EQ(pts[0].x, control.left);
  EXPECT_EQ(pts[1].y, control.bottom);
}

TEST_F(WindowCoordinatesTest, MovingAControlUsesClientCoordinates) {
  ASSERT_TRUE(MoveWindow(ctrl_, 15, 25, 50, 30, TRUE));
  RECT r = testkit::WindowRect(ctrl_);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 25);
  EXPECT_EQ(r.right, 65);
  EXPECT_EQ(r.bottom, 55);
}

using WindowStateTest = WindowTest;

TEST_F(WindowStateTest, TextIsSetAndReadBackCutToTheBuffer) {
  ASSERT_TRUE(SetWindowTextA(ctrl_, "new text"));
  char buf[5];
  EXPECT_EQ(GetWindowTextA(ctrl_, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "new ");
  EXPECT_EQ(testkit::WindowText(ctrl_), "new text");
}

TEST_F(WindowStateTest, ShowWindowAnswersThePreviousVisibility) {
  EXPECT_TRUE(ShowWindow(ctrl_, SW_HIDE));
  EXPECT_FALSE(testkit::WindowVisible(ctrl_));
  EXPECT_FALSE(ShowWindow(ctrl_, SW_SHOW));
  EXPECT_TRUE(testkit::WindowVisible(ctrl_));
}

TEST_F(WindowStateTest, StyleIsReadAndReplaced) {
  EXPECT_EQ(GetWindowLongPtrA(ctrl_, GWL_STYLE), 0x1);
  EXPECT_EQ(SetWindowLongPtrA(ctrl_, GWL_STYLE, 0x1 | BS_MULTILINE), 0x1);
  EXPECT_EQ(testkit::WindowStyle(ctrl_), 0x1 | BS_MULTILINE);
  EXPECT_EQ(GetWindowLongPtrA(nullptr, GWL_STYLE), 0);
}

}  // namespace

namespace {

// Classes, creation and destruction, and the desktop's state.
class WindowLifeTest : public ::testing::Test {
 protected:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) created = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
    if (msg == WM_DESTROY) destroyed.push_back(wnd);
    return DefWindowProcA(wnd, msg, wParam, lParam);
  }
  void SetUp() override {
    created = nullptr;
    destroyed.clear();
    WNDCLASSA c{};
    c.lpfnWndProc = &Proc;
    c.lpszClassName = "Test.Life.Window";
    RegisterClassA(&c);
  }

  static inline void* created = nullptr;
  static inline std::vector<HWND> destroyed;
};

TEST_F(WindowLifeTest, WmCreateCarriesTheParameterBeforeCreateReturns) {
  int marker = 0;
  HWND wnd = CreateWindowExA(0, "TEST.LIFE.WINDOW", "title", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, nullptr, &marker);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(created, &marker);
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_TRUE(DestroyWindow(wnd));
  EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(WindowLifeTest, ASecondClassOfTheSameNameAndAnUnknownClassFail) {
  WNDCLASSA c{};
  c.lpfnWndProc = &Proc;
  c.lpszClassName = "test.life.window";
  SetLastError(0);
  EXPECT_EQ(RegisterClassA(&c), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(
      CreateWindowExA(0, "No.Such.Class", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowLifeTest, DestroyingAWindowDestroysItsChildrenFirstAndItsUserData) {
  HWND top = CreateWindowExA(0, "Test.Life.Window", "top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExA(0, "Test.Life.Window", "", WS_CHILD, 0, 0, 10, 10, top,
                               reinterpret_cast<HMENU>(static_cast<LONG_PTR>(5)), nullptr, nullptr);
  EXPECT_EQ(GetDlgItem(top, 5), child);
  EXPECT_EQ(GetDlgCtrlID(child), 5);
  EXPECT_EQ(SetWindowLongPtrA(top, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(top, GWLP_USERDATA), 1234);
  DestroyWindow(top);
  EXPECT_EQ(destroyed, (std::vector<HWND>{top, child}));
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowLifeTest, FindWindowSeesTopLevelWindowsByClassAndTitle) {
  HWND wnd = CreateWindowExA(0, "Test.Life.Window", "Finder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(FindWindowA("test.life.window", nullptr), wnd);
  EXPECT_EQ(FindWindowA(nullptr, "Finder"), wnd);
  EXPECT_EQ(FindWindowA("Test.Life.Window", "Other"), nullptr);
  DestroyWindow(wnd);
  EXPECT_EQ(FindWindowA("Test.Life.Window", nullptr), nullptr);
}

TEST_F(WindowLifeTest, ForegroundCallsAreRecordedAndANonWindowIsRefused) {
  testkit::ClearForegroundCalls();
  HWND wnd = CreateWindowExA(0, "Test.Life.Window", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, nullptr,
                             nullptr, nullptr, nullptr);
  EXPECT_TRUE(SetForegroundWindow(wnd));
  EXPECT_EQ(GetForegroundWindow(), wnd);
  SetLastError(0);
  EXPECT_FALSE(SetForegroundWindow(reinterpret_cast<HWND>(0x99)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(testkit::ForegroundCalls(), std::vector<HWND>{wnd});
  DestroyWindow(wnd);
}

TEST_F(WindowLifeTest, OnlyTheOwningThreadDestroysAWindow) {
  HWND wnd = CreateWindowExA(0, "Test.Life.Window", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, nullptr,
                             nullptr, nullptr, nullptr);
  BOOL destroyedElsewhere = TRUE;
  DWORD error = 0;
  std::thread([&] {
    destroyedElsewhere = DestroyWindow(wnd);
    error = GetLastError();
  }).join();
  EXPECT_FALSE(destroyedElsewhere);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_WINDOW_OF_OTHER_THREAD));
  EXPECT_TRUE(DestroyWindow(wnd));
}

}  // namespace
