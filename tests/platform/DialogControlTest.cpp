// The built-in controls keep their state and tell their parent what the user did.
#include <gtest/gtest.h>

#include <vector>

#include "WindowTestSupport.h"
#include "testkit/Dialogs.h"

namespace {

using kelvra::test::ScriptedWindow;

class DialogControlTest : public ::testing::Test {
 protected:
  HWND Make(const char* className, DWORD style, int id, const char* text = "") {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20,
                           parent_.hwnd(), reinterpret_cast<HMENU>(static_cast<LONG_PTR>(id)),
                           nullptr, nullptr);
  }

  // WM_COMMAND as (id, code) pairs the parent received.
  std::vector<std::pair<int, int>> commands_;
  ScriptedWindow parent_{[this](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    if (msg == WM_COMMAND) commands_.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return ScriptedWindow::kDefault;
  }};
};

using DialogButtonTest = DialogControlTest;

TEST_F(DialogButtonTest, AnAutoCheckBoxTogglesOnEachClickAndNotifies) {
  HWND box = Make("Button", BS_AUTOCHECKBOX, 10);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 10), static_cast<UINT>(BST_CHECKED));
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 10), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(commands_, (std::vector<std::pair<int, int>>{{10, BN_CLICKED}, {10, BN_CLICKED}}));
}

TEST_F(DialogButtonTest, AnAutoRadioButtonClearsTheOthersOfItsGroupOnly) {
  Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 20);
  Make("Button", BS_AUTORADIOBUTTON, 21);
  Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 22);
  CheckDlgButton(parent_.hwnd(), 20, BST_CHECKED);
  CheckDlgButton(parent_.hwnd(), 22, BST_CHECKED);
  SendDlgItemMessageA(parent_.hwnd(), 21, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 20), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 21), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 22), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogButtonTest, ALabelWithWsGroupBetweenTwoRadiosPartsThem) {
  Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 20);
  Make("Static", SS_LEFT | WS_GROUP, 21);
  Make("Button", BS_AUTORADIOBUTTON, 22);
  CheckDlgButton(parent_.hwnd(), 20, BST_CHECKED);
  SendDlgItemMessageA(parent_.hwnd(), 22, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 20), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 22), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogButtonTest, ControlsBeforeTheFirstWsGroupCloseTheLastGroup) {
  // The siblings form a ring: 20 and 21 belong to the group that 22 begins.
  Make("Button", BS_AUTORADIOBUTTON, 20);
  Make("Button", BS_AUTORADIOBUTTON, 21);
  Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 22);
  CheckDlgButton(parent_.hwnd(), 22, BST_CHECKED);
  SendDlgItemMessageA(parent_.hwnd(), 20, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 22), static_cast<UINT>(BST_UNCHECKED));
  SendDlgItemMessageA(parent_.hwnd(), 22, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 20), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(DialogButtonTest, HiddenAndDisabledRadiosKeepTheirCheckWhenAnotherIsClicked) {
  Make("Button", BS_AUTORADIOBUTTON | WS_GROUP, 20);
  HWND hidden = Make("Button", BS_AUTORADIOBUTTON, 21);
  HWND disabled = Make("Button", BS_AUTORADIOBUTTON, 22);
  Make("Button", BS_RADIOBUTTON, 23);
  for (int id = 21; id <= 23; ++id) CheckDlgButton(parent_.hwnd(), id, BST_CHECKED);
  ShowWindow(hidden, SW_HIDE);
  EnableWindow(disabled, FALSE);
  SendDlgItemMessageA(parent_.hwnd(), 20, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 20), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 21), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 22), static_cast<UINT>(BST_CHECKED));
  // A radio button its dialog checks itself is no auto radio button's business.
  EXPECT_EQ(IsDlgButtonChecked(parent_.hwnd(), 23), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogButtonTest, ADisabledButtonIgnoresClicksAndKeepsItsImage) {
  HWND button = Make("Button", BS_BITMAP, 30);
  auto image = reinterpret_cast<HANDLE>(0x5000);
  EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)), 0);
  EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(image));
  EnableWindow(button, FALSE);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(commands_.empty());
  EXPECT_FALSE(testkit::Click(parent_.hwnd(), 30));
}

using DialogEditComboTest = DialogControlTest;

TEST_F(DialogEditComboTest, SettingAnEditsTextReportsAChange) {
  Make("Edit", ES_AUTOHSCROLL, 40);
  ASSERT_TRUE(SetDlgItemTextA(parent_.hwnd(), 40, "C:\\out"));
  char text[8];
  EXPECT_EQ(GetDlgItemTextA(parent_.hwnd(), 40, text, sizeof text), 6u);
  EXPECT_STREQ(text, "C:\\out");
  EXPECT_EQ(commands_, (std::vector<std::pair<int, int>>{{40, EN_CHANGE}}));
  SetDlgItemInt(parent_.hwnd(), 40, static_cast<UINT>(-12), TRUE);
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(parent_.hwnd(), 40, &ok, TRUE)), -12);
  EXPECT_TRUE(ok);
}

TEST_F(DialogEditComboTest, ASortedComboInsertsInOrderAndKeepsItemData) {
  HWND combo = Make("ComboBox", CBS_DROPDOWNLIST | CBS_SORT, 50);
  EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("utf-8")), 0);
  EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ANSI")), 0);
  EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Latin")), 1);
  SendMessageA(combo, CB_SETITEMDATA, 2, 1252);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 1252);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 7, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("LATIN")),
            1);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 2, 0), 2);
  char text[16];
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "utf-8");
  EXPECT_EQ(testkit::ControlText(parent_.hwnd(), 50), "utf-8");
  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_TRUE(testkit::SelectItem(parent_.hwnd(), 50, "ansi"));
  EXPECT_EQ(commands_.back(), std::make_pair(50, static_cast<int>(CBN_SELCHANGE)));
  EXPECT_EQ(testkit::Control(parent_.hwnd(), 50).items,
            (std::vector<std::string>{"ANSI", "Latin", "utf-8"}));
}

using DialogCommonControlTest = DialogControlTest;

TEST_F(DialogCommonControlTest, AProgressBarKeepsItsRangeAndClampsItsPosition) {
  HWND bar = Make(PROGRESS_CLASSA, 0, 60);
  SendMessageA(bar, PBM_SETRANGE32, 0, 250);
  EXPECT_EQ(SendMessageA(bar, PBM_SETPOS, 7, 0), 0);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 7);
  SendMessageA(bar, PBM_SETPOS, 300, 0);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 250);
  PBRANGE range{};
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 250);
  EXPECT_EQ(range.iLow, 0);
  EXPECT_EQ(range.iHigh, 250);
  SendMessageA(bar, PBM_SETRANGE32, 0, 100);
  EXPECT_EQ(testkit::Control(parent_.hwnd(), 60).position, 100);
}

TEST_F(DialogCommonControlTest, ADatePickerGivesBackTheTimeItWasSet) {
  HWND picker = Make(DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT, 70);
  SYSTEMTIME set{2026, 12, 3, 9, 0, 0, 0, 0};
  EXPECT_TRUE(SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&set)));
  SYSTEMTIME got{};
  EXPECT_EQ(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&got)), GDT_VALID);
  EXPECT_EQ(got.wYear, 2026);
  EXPECT_EQ(got.wDay, 9);
  EXPECT_FALSE(SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0));  // no DTS_SHOWNONE
}

TEST_F(DialogCommonControlTest, ATooltipToolIsFoundOnTheControlItDescribes) {
  HWND button = Make("Button", BS_PUSHBUTTON, 80, "Export All");
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             parent_.hwnd(), nullptr, nullptr, nullptr);
  ASSERT_NE(tip, nullptr);
  char text[] = "Exports every event";
  TOOLINFOA info{sizeof(TOOLINFOA),
                 TTF_IDISHWND | TTF_SUBCLASS,
                 parent_.hwnd(),
                 reinterpret_cast<UINT_PTR>(button),
                 RECT{},
                 nullptr,
                 text,
                 0,
                 nullptr};
  EXPECT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
  SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
  bool active = true;
  EXPECT_EQ(testkit::TooltipsOf(parent_.hwnd(), 80, &active),
            std::vector<std::string>{"Exports every event"});
  EXPECT_FALSE(active);
  SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
  EXPECT_TRUE(testkit::Control(parent_.hwnd(), 80).tooltipActive);
  DestroyWindow(parent_.hwnd());
  EXPECT_FALSE(IsWindow(tip));  // an owned window goes with its owner
}

}  // namespace
