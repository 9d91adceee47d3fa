// An appointment's zone written and read through the stand-in's Redemption helpers over
// a real item of the mailbox, with Outlook's view of the moved times.
#include <gtest/gtest.h>

#include "ZoneTestData.h"
#include "calendar/AppointmentTimezone.h"
#include "com/objbase.h"
#include "outlook/AppointmentItem.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"
#include "testkit/Outlook.h"
#include "testkit/Store.h"
#include "testkit/TimeZone.h"

namespace {

using namespace zonetest;

class AppointmentTimezoneStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::SetSystemTimeZone(AsSystemZone(Utc()));
    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(u"Redemption.MapiUtils", &clsid));
    Redemption::IMAPIUtils* utils = nullptr;
    ASSERT_EQ(S_OK,
              CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                               __uuidof(Redemption::IMAPIUtils), reinterpret_cast<void**>(&utils)));
    utils_ = Redemption::IMAPIUtilsPtr(utils, false);
    appointment_ = testkit::CreateOutlookApplication()->CreateItem(Outlook::olAppointmentItem);
    ASSERT_TRUE(appointment_ != nullptr);
    appointment_->PutStart(Dt(2026, 5, 4, 10).m_dt);
    appointment_->PutEnd(Dt(2026, 5, 4, 11).m_dt);
    appointment_->Save();
  }
  void TearDown() override {
    appointment_ = nullptr;
    utils_ = nullptr;
    testkit::ResetSystemTimeZone();
    testkit::ResetMailbox();
  }

  Redemption::IMAPIUtilsPtr utils_;
  Outlook::_AppointmentItemPtr appointment_;
};

TEST_F(AppointmentTimezoneStoreTest, NewZoneMovesStartAndEndAndReadsBack) {
  TimezoneStruct zone{};
  _bstr_t name;
  EXPECT_FALSE(GetAppointmentTimezone(appointment_, utils_, &zone, &name));

  const TimezoneStruct oneHourEast = Zone(-60, 0, 0, {}, {});
  ASSERT_EQ(0, SetAppointmentTimezone(appointment_, utils_, oneHourEast, _bstr_t("One East\r\n")));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 9)), Text(COleDateTime(appointment_->GetStart())));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 10)), Text(COleDateTime(appointment_->GetEnd())));
  EXPECT_EQ(VARIANT_FALSE, appointment_->GetSaved());

  ASSERT_TRUE(GetAppointmentTimezone(appointment_, utils_, &zone, &name));
  EXPECT_EQ(-60, zone.Bias);
  EXPECT_STREQ("One East", static_cast<const char*>(name));
}

}  // namespace
