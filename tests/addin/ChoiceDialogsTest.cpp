// The action-choice dialog and the labels dialog, answered by the operator.
#include <gtest/gtest.h>

#include <string>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/CDlgLabels.h"
#include "addin/CDlgSelectAction.h"
#include "addin/CLang.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/KelvraApp.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace {

using testkit::ControlText;

class ChoiceDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kelvra::test::LogWatch opened;
    g_hInstance = kelvra::test::AddinModule();
    std::string english = kelvra::test::WindowsPath(KELVRA_SOURCE_DIR "/resources/EN.ini");
    ASSERT_TRUE(g_Lang.LoadFile(english.c_str(), "Kelvra.dll"));
    gdiBefore_ = testkit::GdiObjectCount();
  }
  void TearDown() override {
    testkit::ClearDialogScripts();
    testkit::ResetKelvraApp();
    g_Lang.Clear();
  }
  // The user's part, played inside the dialog's modal loop.
  static void Answer(int id, testkit::DialogScript script) { testkit::OnDialog(id, script); }

  testkit::Watchdog watchdog_{"choice dialogs", std::chrono::seconds(30)};
  int gdiBefore_ = 0;
};

// --- Action choice -------------------------------------------------------------------------

using SelectActionTest = ChoiceDialogTest;

TEST_F(SelectActionTest, EachButtonEndsWithOneAndItsAction) {
  const struct {
    int button;
    int action;
  } cases[] = {{IDC_BTN_EXPORT_CONTACTS, 1},
               {IDC_BTN_IMPORT_CONTACTS, 2},
               {IDC_BTN_EXPORT_EVENTS, 3},
               {IDC_BTN_IMPORT_EVENTS, 4}};
  for (const auto& c : cases) {
    CDlgSelectAction dlg;
    Answer(IDD_SELECT_ACTION, [&](HWND d) {
      EXPECT_EQ(ControlText(d, IDC_LBL2), "Import contacts from vCard to Outlook");
      EXPECT_NE(testkit::Control(d, c.button).image, nullptr) << c.button;
      EXPECT_TRUE(testkit::Click(d, c.button));
    });
    EXPECT_EQ(dlg.DoModal(nullptr), 1) << c.button;
    EXPECT_EQ(dlg.m_action, c.action);
  }
}

TEST_F(SelectActionTest, CancelEscAndCloseBoxEndWithTwoAndNoAction) {
  const testkit::DialogScript ways[] = {
      [](HWND d) { testkit::Click(d, IDCANCEL); },
      [](HWND d) { testkit::PressEscape(d); },
      [](HWND d) { testkit::CloseBox(d); },
  };
  for (const auto& way : ways) {
    CDlgSelectAction dlg;
    Answer(IDD_SELECT_ACTION, way);
    EXPECT_EQ(dlg.DoModal(nullptr), 2);
    EXPECT_EQ(dlg.m_action, 0);
  }
}

TEST_F(SelectActionTest, HelpAsksForTheFeaturesTopicAndKeepsTheDialogOpen) {
  ASSERT_TRUE(testkit::StartKelvraApp());
  CDlgSelectAction dlg;
  Answer(IDD_SELECT_ACTION, [](HWND d) {
    EXPECT_TRUE(testkit::Click(d, IDC_BTN_HELP));
    EXPECT_TRUE(IsWindow(d));
    testkit::Click(d, IDC_BTN_EXPORT_EVENTS);
  });
  EXPECT_EQ(dlg.DoModal(nullptr), 1);
  EXPECT_EQ(dlg.m_action, 3);
  auto received = testkit::KelvraAppReceived();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].text, "ShowContextHelp,Features.htm");
}

TEST_F(SelectActionTest, ADialogThatCannotBeCreatedGivesMinusOne) {
  testkit::FailDialogCreation(IDD_SELECT_ACTION);
  {
    CDlgSelectAction dlg;
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
    EXPECT_EQ(dlg.m_action, 0);
  }
  testkit::FailDialogCreation(IDD_SELECT_ACTION, false);
  EXPECT_EQ(testkit::GdiObjectCount(), gdiBefore_);  // the four pictures went with it
}

// --- Labels -------------------------------------------------------------------------------------

using LabelsTest = ChoiceDialogTest;

TEST_F(LabelsTest, BoxesShowTheMaskAndTheLabelNames) {
  CDlgLabels dlg(0x3FF);
  Answer(IDD_EVENT_LABELS, [](HWND d) {
    for (int k = 0; k < 10; ++k) EXPECT_TRUE(testkit::IsChecked(d, IDC_CHK_LABEL1 + k)) << k;
    EXPECT_EQ(ControlText(d, IDC_CHK_LABEL1), "Important");
    EXPECT_EQ(ControlText(d, IDC_CHK_LABEL10), "Phone Call");
    testkit::Click(d, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(nullptr), 1);
  EXPECT_EQ(dlg.m_labelMask, 0x3FFu);
}

TEST_F(LabelsTest, OkRebuildsTheMaskFromTheTenBoxesOnly) {
  const struct {
    DWORD given;
    int tick;  // -1: none
    DWORD after;
  } cases[] = {{0, -1, 0}, {0, 4, 0x10}, {0xFFFFF001, 9, 0x201}, {0x0C00, -1, 0}};
  for (const auto& c : cases) {
    CDlgLabels dlg(c.given);
    Answer(IDD_EVENT_LABELS, [&](HWND d) {
      if (c.tick >= 0) testkit::SetCheck(d, IDC_CHK_LABEL1 + c.tick, true);
      testkit::Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), 1);
    EXPECT_EQ(dlg.m_labelMask, c.after) << std::hex << c.given;
  }
}

TEST_F(LabelsTest, CancelKeepsTheMaskAsGivenHighBitsIncluded) {
  for (auto way :
       {+[](HWND d) { testkit::Click(d, IDCANCEL); }, +[](HWND d) { testkit::PressEscape(d); }}) {
    CDlgLabels dlg(0x80000005);
    Answer(IDD_EVENT_LABELS, [way](HWND d) {
      testkit::SetCheck(d, IDC_CHK_LABEL2, true);
      way(d);
    });
    EXPECT_EQ(dlg.DoModal(nullptr), 2);
    EXPECT_EQ(dlg.m_labelMask, 0x80000005u);
  }
}

TEST_F(LabelsTest, MissingLabelNamesLeaveTheBoxesEmpty) {
  g_Lang.Clear();
  CDlgLabels dlg(1);
  Answer(IDD_EVENT_LABELS, [](HWND d) {
    EXPECT_EQ(ControlText(d, IDC_CHK_LABEL1), "");
    testkit::Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(nullptr), 2);
}

}  // namespace
