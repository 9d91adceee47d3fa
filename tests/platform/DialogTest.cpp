// Modal dialogs from the templates of Kelvra.rc: building, the modal loop, ending from
// any thread, nesting, WM_QUIT, and ATL's dialog classes over them.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "WindowTestSupport.h"
#include "atl/atlwin.h"
#include "testkit/Dialogs.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace {

using kelvra::test::ScriptedWindow;

constexpr int kLabels = 270;          // ten check boxes, OK, Cancel
constexpr int kSelectAction = 273;    // bitmap buttons, Help, Cancel
constexpr int kExportProgress = 226;  // banner, texts, progress bar, Help, Cancel

// What the dialog procedure of these tests saw.
struct Seen {
  std::vector<UINT> messages;
  LPARAM initParam = 0;
  std::vector<int> commands;
};

thread_local Seen* t_seen = nullptr;

INT_PTR CALLBACK RecordingProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (t_seen == nullptr) return FALSE;
  if (msg == WM_INITDIALOG || msg == WM_PAINT || msg == WM_COMMAND) t_seen->messages.push_back(msg);
  if (msg == WM_INITDIALOG) t_seen->initParam = lParam;
  if (msg == WM_COMMAND) {
    t_seen->commands.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dlg, LOWORD(wParam) + 100);
    return TRUE;
  }
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t_seen = &seen_;
    testkit::ClearDialogScripts();
    testkit::ClearShownDialogs();
  }
  void TearDown() override {
    t_seen = nullptr;
    testkit::ClearDialogScripts();
  }

  INT_PTR Run(int id, HWND parent = nullptr, LPARAM param = 0) {
    return DialogBoxParamA(module_, MAKEINTRESOURCEA(id), parent, &RecordingProc, param);
  }

  HMODULE module_ = GetModuleHandleA("Kelvra.dll");
  Seen seen_;
  testkit::Watchdog watchdog_{"DialogTest"};
};

using DialogTemplateTest = DialogTest;

TEST_F(DialogTemplateTest, TheDialogAndItsControlsComeFromTheTemplate) {
  ASSERT_NE(module_, nullptr);
  testkit::OnDialog(kLabels, [](HWND dlg) {
    EXPECT_EQ(testkit::WindowText(dlg), "Labels");
    EXPECT_EQ(testkit::WindowClass(dlg), "#32770");
    EXPECT_EQ(testkit::DialogTemplateId(dlg), kLabels);
    for (int id = 303; id <= 312; ++id) {
      testkit::ControlState box = testkit::Control(dlg, id);
      EXPECT_EQ(box.className, "Button");
      EXPECT_EQ(box.style & BS_TYPEMASK, BS_AUTOCHECKBOX) << id;
      EXPECT_TRUE(box.visible);
    }
    EXPECT_EQ(testkit::ControlText(dlg, 303), "<label1>");
    EXPECT_EQ(testkit::ControlText(dlg, IDOK), "OK");
    EXPECT_EQ(testkit::Control(dlg, IDOK).style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    RECT box{};
    GetWindowRect(GetDlgItem(dlg, 304), &box);
    POINT corner{box.left, box.top};
    ScreenToClient(dlg, &corner);
    EXPECT_EQ(corner.y, 19 * 13 / 8);  // dialog units to pixels
    EndDialog(dlg, 5);
  });
  EXPECT_EQ(Run(kLabels, nullptr, 77), 5);
  EXPECT_EQ(seen_.initParam, 77);
  EXPECT_EQ(testkit::ShownDialogs(), std::vector<int>{kLabels});
}

TEST_F(DialogTemplateTest, NotWsVisibleImagesFontsAndExStylesAreKept) {
  const int gdiBefore = testkit::GdiObjectCount();
  testkit::OnDialog(kExportProgress, [](HWND dlg) {
    EXPECT_FALSE(testkit::Control(dlg, 209).visible);
    EXPECT_EQ(testkit::ControlText(dlg, 209), "<dummy-unvisible>");
    EXPECT_EQ(testkit::Control(dlg, 202).className, PROGRESS_CLASSA);
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dlg, 263), GWL_EXSTYLE) & WS_EX_STATICEDGE,
              WS_EX_STATICEDGE);
    HANDLE banner = testkit::Control(dlg, -1).image;
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(testkit::ImageOf(banner).resourceId, 272);
    auto font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, 272, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(testkit::FontOf(font).lfFaceName, "MS Sans Serif");
    EndDialog(dlg, 1);
  });
  EXPECT_EQ(Run(kExportProgress), 1);
  EXPECT_EQ(testkit::GdiObjectCount(), gdiBefore);  // font and banner go with the dialog
}

TEST_F(DialogTemplateTest, AMissingTemplateOrAFailingCreationGivesMinusOneWithoutInitDialog) {
  SetLastError(0);
  EXPECT_EQ(Run(9999), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  testkit::FailDialogCreation(kLabels, true);
  EXPECT_EQ(Run(kLabels), -1);
  testkit::FailDialogCreation(kLabels, false);
  EXPECT_TRUE(seen_.messages.empty());
  EXPECT_TRUE(testkit::ShownDialogs().empty());
}

using DialogModalTest = DialogTest;

TEST_F(DialogModalTest, TheFirstPaintFollowsInitAndTheOwnerIsDisabledMeanwhile) {
  ScriptedWindow owner(nullptr);
  HWND ownerWnd = owner.hwnd();
  testkit::OnDialog(kLabels, [ownerWnd](HWND dlg) {
    EXPECT_FALSE(IsWindowEnabled(ownerWnd));
    EXPECT_EQ(GetActiveWindow(), dlg);
    EXPECT_EQ(GetParent(dlg), ownerWnd);
    testkit::Click(dlg, IDOK);
  });
  EXPECT_EQ(Run(kLabels, ownerWnd), IDOK + 100);
  ASSERT_GE(seen_.messages.size(), 3u);
  EXPECT_EQ(seen_.messages[0], static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(seen_.messages[1], static_cast<UINT>(WM_PAINT));
  EXPECT_TRUE(IsWindowEnabled(ownerWnd));
  EXPECT_EQ(GetActiveWindow(), ownerWnd);
}

TEST_F(DialogModalTest, EndDialogFromAnotherThreadEndsTheLoop) {
  std::thread ender([] {
    HWND dlg = testkit::WaitForDialog(kLabels);
    EXPECT_TRUE(EndDialog(dlg, 9));
  });
  EXPECT_EQ(Run(kLabels), 9);
  ender.join();
  EXPECT_FALSE(EndDialog(reinterpret_cast<HWND>(0x1234), 1));
}

TEST_F(DialogModalTest, ADialogOnItsOwnThreadIsDrivenFromAnother) {
  INT_PTR result = 0;
  std::vector<int> commands;
  std::thread dialogThread([&] {
    Seen seen;
    t_seen = &seen;
    result = DialogBoxParamA(module_, MAKEINTRESOURCEA(kLabels), nullptr, &RecordingProc, 0);
    commands = seen.commands;
  });
  HWND dlg = testkit::WaitForDialog(kLabels);
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(testkit::SetCheck(dlg, 305, true));
  EXPECT_TRUE(testkit::IsChecked(dlg, 305));
  EXPECT_TRUE(testkit::Click(dlg, IDCANCEL));
  EXPECT_TRUE(testkit::WaitForDialogEnd(dlg));
  dialogThread.join();
  EXPECT_EQ(result, IDCANCEL + 100);
  EXPECT_EQ(commands, (std::vector<int>{305, IDCANCEL}));
}

INT_PTR CALLBACK ColourProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_CTLCOLORSTATIC) {
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
  }
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(DialogModalTest, AColourAnswerComesBackDirectlyAcrossThreads) {
  std::thread dialogThread([this] {
    DialogBoxParamA(module_, MAKEINTRESOURCEA(kExportProgress), nullptr, &ColourProc, 0);
  });
  HWND dlg = testkit::WaitForDialog(kExportProgress);
  ASSERT_NE(dlg, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT brush = SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, 263)));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(testkit::BackColorOf(dc), GetSysColor(COLOR_WINDOW));
  DeleteDC(dc);
  testkit::PressEscape(dlg);
  dialogThread.join();
}

TEST_F(DialogModalTest, NestedModalLoopsEndInnerFirst) {
  std::vector<std::string> order;
  testkit::OnDialog(kLabels, [&](HWND outer) {
    testkit::OnDialog(kSelectAction, [&](HWND inner) {
      order.push_back("inner up");
      EXPECT_FALSE(IsWindowEnabled(outer));
      EndDialog(inner, 2);
    });
    const INT_PTR inner =
        DialogBoxParamA(module_, MAKEINTRESOURCEA(kSelectAction), outer, &RecordingProc, 0);
    order.push_back("inner " + std::to_string(inner));
    EXPECT_TRUE(IsWindowEnabled(outer));
    EndDialog(outer, 3);
  });
  EXPECT_EQ(Run(kLabels), 3);
  EXPECT_EQ(order, (std::vector<std::string>{"inner up", "inner 2"}));
  EXPECT_EQ(testkit::ShownDialogs(), (std::vector<int>{kLabels, kSelectAction}));
}

TEST_F(DialogModalTest, AQuitEndsTheLoopAndIsPostedAgain) {
  testkit::OnDialog(kLabels, [](HWND) { PostQuitMessage(4); });
  Run(kLabels);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(DialogModalTest, EscapeAndTheCloseBoxArriveAsCancel) {
  testkit::OnDialog(kSelectAction, [](HWND dlg) { testkit::CloseBox(dlg); });
  EXPECT_EQ(Run(kSelectAction), IDCANCEL + 100);
  testkit::OnDialog(kSelectAction, [](HWND dlg) { testkit::PressEscape(dlg); });
  EXPECT_EQ(Run(kSelectAction), IDCANCEL + 100);
  EXPECT_EQ(seen_.commands, (std::vector<int>{IDCANCEL, IDCANCEL}));
}

// ATL's dialog classes over the same templates.
class LabelsDialog : public ATL::CAxDialogImpl<LabelsDialog> {
 public:
  enum { IDD = kLabels };

  BEGIN_MSG_MAP(LabelsDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnOK)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnCancel)
  END_MSG_MAP()

  LRESULT OnInitDialog(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    CAxDialogImpl<LabelsDialog>::OnInitDialog(msg, wParam, lParam, handled);
    CheckDlgButton(303, BST_CHECKED);
    initialised = true;
    return TRUE;
  }
  LRESULT OnOK(WORD, WORD, HWND, BOOL&) {
    secondChecked = IsDlgButtonChecked(304) == BST_CHECKED;
    EndDialog(IDOK);
    return 0;
  }
  LRESULT OnCancel(WORD, WORD, HWND, BOOL&) {
    EndDialog(IDCANCEL);
    return 0;
  }

  bool initialised = false;
  bool secondChecked = false;
};

class MissingDialog : public ATL::CAxDialogImpl<MissingDialog> {
 public:
  enum { IDD = 9999 };
  BEGIN_MSG_MAP(MissingDialog)
  END_MSG_MAP()
};

using DialogAtlTest = DialogTest;

TEST_F(DialogAtlTest, TheMessageMapReachesTheHandlersAndDoModalGivesTheResult) {
  testkit::OnDialog(kLabels, [](HWND dlg) {
    EXPECT_TRUE(testkit::IsChecked(dlg, 303));
    testkit::SetCheck(dlg, 304, true);
    testkit::Click(dlg, IDOK);
  });
  LabelsDialog dialog;
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_TRUE(dialog.initialised);
  EXPECT_TRUE(dialog.secondChecked);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogAtlTest, CancelGoesThroughCommandHandlerAndAMissingTemplateGivesMinusOne) {
  testkit::OnDialog(kLabels, [](HWND dlg) { testkit::PressEscape(dlg); });
  LabelsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  MissingDialog missing;
  EXPECT_EQ(missing.DoModal(), -1);
  // A failed DoModal leaves nothing for the next dialog of the thread.
  testkit::OnDialog(kLabels, [](HWND dlg) { testkit::Click(dlg, IDOK); });
  LabelsDialog again;
  EXPECT_EQ(again.DoModal(), IDOK);
  EXPECT_TRUE(again.initialised);
}

}  // namespace
