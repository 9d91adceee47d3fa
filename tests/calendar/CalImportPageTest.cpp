// The import-events pages shown headless through the operator: defaults, the zone of
// the options dialog, and what the first page stores.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CalWriterFixture.h"
#include "addin/RegKey.h"
#include "calendar/CDlgVCalImport.h"
#include "calendar/CDlgVCalImportFilter.h"
#include "calendar/CDlgVCalImportOptions.h"
#include "calendar/SystemTimezone.h"
#include "calendar/TimezoneList.h"
#include "calendar/TimezoneRules.h"
#include "resource.h"
#include "testkit/Dialogs.h"
#include "testkit/Outlook.h"
#include "testkit/Registry.h"
#include "testkit/Store.h"
#include "testkit/Watchdog.h"
#include "testkit/ZoneList.h"

namespace calwriter {
namespace {

constexpr const char* kOptionsPath = "Software\\Ostrane\\Kelvra\\Options";

class CalImportPageTest : public CalWriterTest {
 protected:
  void SetUp() override {
    CalWriterTest::SetUp();
    testkit::SeedZoneList();
    ASSERT_EQ(m_key.Create(HKEY_CURRENT_USER, kOptionsPath, 0x2001F), ERROR_SUCCESS);
  }
  void TearDown() override {
    testkit::ClearDialogScripts();
    testkit::ClearShownDialogs();
    testkit::ResetExplorers();
    m_key.Close();
    m_app = nullptr;
    CalWriterTest::TearDown();
  }
  Outlook::_ApplicationPtr App(int major) {
    testkit::SetOutlookVersion(major);
    m_app = testkit::CreateOutlookApplication();
    return m_app;
  }
  HKEY* Key() { return m_key.Address(); }

  testkit::Watchdog m_watchdog{"calendar import pages", std::chrono::seconds(60)};
  RegKey m_key;
  Outlook::_ApplicationPtr m_app;
};

TEST_F(CalImportPageTest, FilterDefaultsLeaveTheDatesOffAndOfferLabelsEverywhere) {
  const struct {
    int major;
    DWORD mask;
  } cases[] = {{9, 21}, {11, 21}, {12, 17}};
  for (const auto& each : cases) {
    CDlgVCalImportFilter page(App(each.major), Key());
    EXPECT_EQ(page.GetFilter().mask, each.mask) << each.major;
    EXPECT_EQ(page.GetFilter().LabelMask, 384u) << each.major;
  }
  for (const auto& each : cases) {
    CDlgVCalImportFilter page(App(each.major), Key());
    testkit::OnDialog(IDD_VCAL_IMPORT_FILTER, [&each](HWND dlg) {
      EXPECT_TRUE(testkit::Control(dlg, IDC_CHK_LABELS).enabled) << each.major;
      EXPECT_FALSE(testkit::IsChecked(dlg, IDC_CHK_DATES));
      EXPECT_EQ(testkit::Control(dlg, IDC_BTN_CATEGORIES).visible, each.major != 9);
      testkit::Click(dlg, IDOK);
    });
    EXPECT_EQ(page.DoModal(nullptr), IDOK);
    EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, kOptionsPath,
                                 "Appointments.Import.Filter.SubjectLabels"),
              384u);
  }
}

TEST_F(CalImportPageTest, TheOptionsDialogChoosesAZoneOfTheListAndTheFirstPageStoresIt) {
  Outlook::_ApplicationPtr app = App(14);
  Outlook::_ExplorerPtr explorer =
      testkit::OpenExplorer(app->GetSession()->GetDefaultFolder(Outlook::olFolderCalendar));
  CDlgVCalImport page(app, Key(), nullptr);
  // First start: the system zone under its Windows name, import as new events.
  EXPECT_EQ(page.m_conflict, 0);
  EXPECT_FALSE(page.m_zoneName.empty());
  std::string tokyo;
  testkit::OnDialog(IDD_VCAL_IMPORT, [](HWND dlg) {
    testkit::Click(dlg, IDC_BTN_OPTIONS);
    testkit::Click(dlg, IDCANCEL);
  });
  testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [&tokyo](HWND dlg) {
    EXPECT_TRUE(testkit::IsChecked(dlg, IDC_OPT_DUPLICATE));
    testkit::Click(dlg, IDC_OPT_LEAVE);
    EXPECT_FALSE(testkit::IsChecked(dlg, IDC_OPT_DUPLICATE));
    for (const std::string& item : testkit::Control(dlg, IDC_CBO_TIMEZONE).items)
      if (item.find("Tokyo") != std::string::npos) tokyo = item;
    EXPECT_TRUE(testkit::SelectItem(dlg, IDC_CBO_TIMEZONE, tokyo));
    testkit::Click(dlg, IDOK);
  });
  EXPECT_EQ(page.DoModal(nullptr), IDCANCEL);
  ASSERT_FALSE(tokyo.empty());
  EXPECT_EQ(page.m_conflict, 2);
  EXPECT_EQ(page.m_zoneName, tokyo);
  EXPECT_EQ(testkit::ReadDword(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Import.TZDefault"),
            0u);
  // The next wizard starts from what was stored.
  CDlgVCalImport next(app, Key(), nullptr);
  EXPECT_EQ(next.m_zoneName, tokyo);
  EXPECT_EQ(next.m_conflict, 2);
  EXPECT_EQ(next.m_zone.Bias, -540);
}

TEST_F(CalImportPageTest, OfTwoZonesWithTheSameRulesTheNamedOneIsSelected) {
  std::vector<TimezoneEntry> zones;
  int count = 0;
  ASSERT_EQ(GetAllTimezones(&zones, &count), ERROR_SUCCESS);
  // The first two zones of the list that keep the same rules under different names.
  size_t first = 0, second = 0;
  for (size_t i = 0; i < zones.size() && second == 0; ++i)
    for (size_t j = i + 1; j < zones.size(); ++j)
      if (IsSameTimezone(zones[i].zone, zones[j].zone)) {
        first = i;
        second = j;
        break;
      }
  ASSERT_NE(second, 0u);
  const auto selectedFor = [](const TimezoneStruct& zone, const std::string& name) {
    std::string selected;
    CDlgVCalImportOptions options(0, zone, name);
    testkit::OnDialog(IDD_VCAL_IMPORT_OPTIONS, [&selected](HWND dlg) {
      const testkit::ControlState combo = testkit::Control(dlg, IDC_CBO_TIMEZONE);
      if (combo.selection >= 0) selected = combo.items[static_cast<size_t>(combo.selection)];
      testkit::Click(dlg, IDCANCEL);
    });
    options.DoModal(nullptr);
    return selected;
  };
  EXPECT_EQ(selectedFor(zones[first].zone, zones[first].displayName), zones[first].displayName);
  EXPECT_EQ(selectedFor(zones[second].zone, zones[second].displayName), zones[second].displayName);
  // A name the list does not have: the last zone with the same rules.
  const std::string last = selectedFor(zones[first].zone, "Somewhere");
  EXPECT_TRUE(
      IsSameTimezone(std::find_if(zones.begin(), zones.end(),
                                  [&](const TimezoneEntry& e) { return e.displayName == last; })
                         ->zone,
                     zones[first].zone));
  EXPECT_NE(last, zones[first].displayName);
}

TEST_F(CalImportPageTest, AStoredZoneNameGoesOnlyWithItsZone) {
  testkit::WriteDword(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Import.TZDefault", 0);
  testkit::WriteString(HKEY_CURRENT_USER, kOptionsPath, "Appointments.Import.TZName", "Atlantis");
  const CDlgVCalImport page(App(14), Key(), nullptr);
  EXPECT_NE(page.m_zoneName, "Atlantis");
  EXPECT_FALSE(page.m_zoneName.empty());
}

}  // namespace
}  // namespace calwriter
