// The radio buttons of every dialog template in Kelvra.rc form groups that work as they
// would on Windows: clicking one clears the others of its choice, and the keyboard's
// group ends right after the last of them.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "AddinTestSupport.h"
#include "testkit/Dialogs.h"
#include "testkit/Watchdog.h"
#include "testkit/Windows.h"

namespace {

struct Template {
  std::string name;
  int id = 0;
};

// Every IDD_ symbol of resource.h: new pages are checked as they come.
std::vector<Template> DialogTemplates() {
  std::ifstream header(KELVRA_SOURCE_DIR "/resources/resource.h");
  const std::regex define(R"(#define\s+(IDD_\w+)\s+(\d+))");
  std::vector<Template> templates;
  std::smatch match;
  for (std::string line; std::getline(header, line);)
    if (std::regex_search(line, match, define))
      templates.push_back({match[1], std::stoi(match[2])});
  return templates;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool IsAutoRadio(HWND control) {
  return testkit::WindowClass(control) == "Button" &&
         (testkit::WindowStyle(control) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

bool HasGroupStyle(HWND control) { return (testkit::WindowStyle(control) & WS_GROUP) != 0; }

// Each run of auto radio buttons in template order starts with WS_GROUP, has no other
// WS_GROUP inside, and the control after it (the dialog's first after its last) starts
// the next group.
void ExpectRunsMarked(const std::string& name, const std::vector<HWND>& controls) {
  const std::size_t count = controls.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsAutoRadio(controls[i]) || (i > 0 && IsAutoRadio(controls[i - 1]))) continue;
    EXPECT_TRUE(HasGroupStyle(controls[i]))
        << name << ": radio " << GetDlgCtrlID(controls[i]) << " opens a choice without WS_GROUP";
    std::size_t next = i + 1;
    for (; next < count && IsAutoRadio(controls[next]); ++next)
      EXPECT_FALSE(HasGroupStyle(controls[next]))
          << name << ": radio " << GetDlgCtrlID(controls[next])
          << " parts its choice with WS_GROUP";
    const HWND after = controls[next % count];
    EXPECT_TRUE(HasGroupStyle(after))
        << name << ": control " << GetDlgCtrlID(after) << " after the radios of "
        << GetDlgCtrlID(controls[i]) << " lacks WS_GROUP, so it joins their group";
  }
}

// A click on any radio clears another one: none stands alone in its group.
void ExpectEveryRadioClearsAnother(const std::string& name, const std::vector<HWND>& controls) {
  std::vector<HWND> radios;
  for (HWND control : controls)
    if (IsAutoRadio(control)) radios.push_back(control);
  for (HWND clicked : radios) {
    for (HWND radio : radios) SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(clicked, BM_CLICK, 0, 0);
    int cleared = 0;
    for (HWND radio : radios) cleared += SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
    EXPECT_GT(cleared, 0) << name << ": a click on radio " << GetDlgCtrlID(clicked)
                          << " clears no other radio";
  }
}

class DialogTemplateGroupTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::ClearDialogScripts(); }

  testkit::Watchdog watchdog_{"dialog template groups", std::chrono::seconds(60)};
};

TEST_F(DialogTemplateGroupTest, RadioButtonsOfEveryTemplateFormWholeGroups) {
  const std::vector<Template> templates = DialogTemplates();
  ASSERT_GE(templates.size(), 12u);
  int radios = 0;
  for (const Template& dialog : templates) {
    testkit::OnDialog(dialog.id, [&](HWND d) {
      const std::vector<HWND> controls = testkit::ChildWindows(d);
      for (HWND control : controls) radios += IsAutoRadio(control);
      ExpectRunsMarked(dialog.name, controls);
      ExpectEveryRadioClearsAnother(dialog.name, controls);
      EndDialog(d, IDOK);
    });
    ASSERT_EQ(DialogBoxParamA(kelvra::test::AddinModule(), MAKEINTRESOURCEA(dialog.id), nullptr,
                              &PlainDialogProc, 0),
              IDOK)
        << dialog.name;
  }
  // The export format and the import conflict choices at least.
  EXPECT_GE(radios, 5);
}

}  // namespace
