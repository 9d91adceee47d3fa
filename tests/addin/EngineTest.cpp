// The import/export engine: its options key, what it hands its converters, and the
// refusal of a second run while one is active.
#include <gtest/gtest.h>

#include "AddinTestSupport.h"
#include "addin/Application.h"
#include "addin/CDovantEngine.h"
#include "addin/ExclusiveRun.h"
#include "testkit/Registry.h"

// Reaches the engine's members, as the runs of later builds will through their own
// interfaces.
class EngineTestAccess {
 public:
  static HKEY OptionsKey(CDovantEngine& e) { return e.m_optionsKey.Get(); }
  static std::atomic<bool>& RunningFlag(CDovantEngine& e) { return e.m_running; }
  static const CvCardImport& ContactImporter(CDovantEngine& e) { return e.m_vCardImport; }
  static const CvCardExport& ContactExporter(CDovantEngine& e) { return e.m_vCardExport; }
  static const CvCalExport& CalendarExporter(CDovantEngine& e) { return e.m_vCalExport; }
};

namespace {

using kelvra::test::AddinModule;
using kelvra::test::LogWatch;

constexpr const char* kOptionsKey = "Software\\Ostrane\\Kelvra";

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetRegistry();
    g_hInstance = AddinModule();
  }
  void TearDown() override { testkit::ResetRegistry(); }
};

using EngineOptionsKeyTest = EngineTest;

TEST_F(EngineOptionsKeyTest, TheKeyExistsAfterConstructionAndIsOpenForReadingAndWriting) {
  CDovantEngine engine(nullptr, 14);
  EXPECT_TRUE(testkit::KeyExists(HKEY_CURRENT_USER, kOptionsKey));
  HKEY key = EngineTestAccess::OptionsKey(engine);
  ASSERT_NE(key, nullptr);
  const char value[] = "C:\\out";
  EXPECT_EQ(RegSetValueExA(key, "Contacts.Export.Folder", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value), sizeof value),
            ERROR_SUCCESS);
  char read[64] = "";
  DWORD size = sizeof read;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Contacts.Export.Folder", nullptr, &type,
                             reinterpret_cast<BYTE*>(read), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(read, value);
}

TEST_F(EngineOptionsKeyTest, ADeniedKeyLeavesANullKeyAndTheWizardsStillRun) {
  testkit::DenyAccess(HKEY_CURRENT_USER, kOptionsKey, KEY_READ | KEY_WRITE);
  LogWatch watch;
  CDovantEngine engine(nullptr, 14);
  EXPECT_EQ(EngineTestAccess::OptionsKey(engine), nullptr);
  EXPECT_EQ(engine.ExportContacts(nullptr), -1);
  EXPECT_NE(watch.Log().find("in CvCardExport::Execute: no Outlook application"),
            std::string::npos);
}

TEST_F(EngineOptionsKeyTest, TheKeyIsClosedWhenTheEngineGoes) {
  std::size_t before = testkit::OpenKeyCount();
  {
    CDovantEngine engine(nullptr, 14);
    EXPECT_EQ(testkit::OpenKeyCount(), before + 1);
  }
  EXPECT_EQ(testkit::OpenKeyCount(), before);
}

using EngineConvertersTest = EngineTest;

TEST_F(EngineConvertersTest, TheOutlookVersionGoesToTheContactSideAndTheCalendarExporter) {
  CDovantEngine engine(nullptr, 12);
  EXPECT_EQ(EngineTestAccess::ContactImporter(engine).OutlookVersion(), 12);
  EXPECT_EQ(EngineTestAccess::ContactExporter(engine).OutlookVersion(), 12);
  EXPECT_EQ(EngineTestAccess::CalendarExporter(engine).OutlookVersion(), 12);
}

TEST_F(EngineConvertersTest, EachEntryPointReachesItsOwnConverter) {
  CDovantEngine engine(nullptr, 14);
  // Without an Outlook application each run refuses at once, naming itself.
  struct Entry {
    int (CDovantEngine::*call)(HWND);
    const char* line;
  } entries[] = {{&CDovantEngine::ImportContacts, "CvCardImport::Execute: no Outlook application"},
                 {&CDovantEngine::ExportContacts, "CvCardExport::Execute: no Outlook application"},
                 {&CDovantEngine::ImportCalendar, "CvCalImport::Execute: no Outlook application"},
                 {&CDovantEngine::ExportCalendar, "CvCalExport::Execute: no Outlook application"}};
  for (const Entry& e : entries) {
    LogWatch watch;
    EXPECT_EQ((engine.*e.call)(nullptr), -1);
    EXPECT_NE(watch.Err().find(std::string(" Err[0] in ") + e.line), std::string::npos) << e.line;
  }
}

using EngineRunGuardTest = EngineTest;

TEST_F(EngineRunGuardTest, EveryEntryPointIsRefusedWhileARunIsActive) {
  CDovantEngine engine(nullptr, 14);
  struct Entry {
    int (CDovantEngine::*call)(HWND);
    const char* tag;
  } entries[] = {{&CDovantEngine::ImportContacts, "CDovantEngine::ImportContacts"},
                 {&CDovantEngine::ExportContacts, "CDovantEngine::ExportContacts"},
                 {&CDovantEngine::ImportCalendar, "CDovantEngine::ImportCalendar"},
                 {&CDovantEngine::ExportCalendar, "CDovantEngine::ExportCalendar"}};
  ExclusiveRun active(EngineTestAccess::RunningFlag(engine));
  ASSERT_TRUE(active.Entered());
  for (const Entry& e : entries) {
    LogWatch watch;
    EXPECT_EQ((engine.*e.call)(nullptr), -1);
    EXPECT_NE(
        watch.Err().find(std::string(" War[0] in ") + e.tag + ": A wizard is already running"),
        std::string::npos)
        << e.tag;
    EXPECT_EQ(watch.Log().find("::Execute"), std::string::npos) << e.tag;
  }
  EXPECT_TRUE(EngineTestAccess::RunningFlag(engine).load());
}

TEST_F(EngineRunGuardTest, ARunEndsItsGuardSoTheNextOneEnters) {
  CDovantEngine engine(nullptr, 14);
  engine.ImportCalendar(nullptr);
  EXPECT_FALSE(EngineTestAccess::RunningFlag(engine).load());
  LogWatch watch;
  engine.ImportCalendar(nullptr);
  EXPECT_NE(watch.Log().find("in CvCalImport::Execute"), std::string::npos);
}

TEST_F(EngineRunGuardTest, ARefusedRunLeavesTheActiveOneMarked) {
  std::atomic<bool> running{false};
  {
    ExclusiveRun first(running);
    EXPECT_TRUE(first.Entered());
    {
      ExclusiveRun second(running);
      EXPECT_FALSE(second.Entered());
    }
    EXPECT_TRUE(running.load());
  }
  EXPECT_FALSE(running.load());
}

TEST_F(EngineRunGuardTest, AnExceptionOutOfARunEndsItsGuard) {
  std::atomic<bool> running{false};
  try {
    ExclusiveRun run(running);
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(running.load());
}

}  // namespace
