// An appointment's own zone: reading the zone blob and its description, writing a new
// zone, and the shift of the stored times with every return code.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FakeMapiUtils.h"
#include "LogCapture.h"
#include "ZoneTestData.h"
#include "calendar/AppointmentTimezone.h"
#include "com/safearray.h"
#include "testkit/TimeZone.h"

namespace {

using namespace zonetest;

constexpr long kZoneTag = 0x80010000;
constexpr long kNameTag = 0x80020000;
constexpr long kBinary = 0x0102;
constexpr long kString8 = 0x001E;
constexpr long kTime = 0x0040;

struct TimeProperty {
  const char* set;
  long id;
  long tag;
};

// The eight moved times in the order they are written.
const TimeProperty kTimes[] = {
    {FakeMapiUtils::kAppointmentSet, 0x8236, 0x81010000},
    {FakeMapiUtils::kAppointmentSet, 0x8235, 0x81020000},
    {FakeMapiUtils::kAppointmentSet, 0x820E, 0x81030000},
    {FakeMapiUtils::kAppointmentSet, 0x820D, 0x81040000},
    {FakeMapiUtils::kCommonSet, 0x8517, 0x81050000},
    {FakeMapiUtils::kCommonSet, 0x8516, 0x81060000},
    {FakeMapiUtils::kCommonSet, 0x8560, 0x81070000},
    {FakeMapiUtils::kCommonSet, 0x8502, 0x81080000},
};

// A one-dimensional array of bytes with elements of that type from lowerBound.
_variant_t ByteArray(const void* data, ULONG size, VARTYPE elementType, LONG lowerBound = 0) {
  VARIANT value;
  VariantInit(&value);
  value.vt = static_cast<VARTYPE>(VT_ARRAY | elementType);
  value.parray = SafeArrayCreateVector(elementType, lowerBound, size);
  const BYTE* bytes = static_cast<const BYTE*>(data);
  for (ULONG i = 0; i < size; ++i) {
    LONG index = lowerBound + static_cast<LONG>(i);
    if (elementType == VT_VARIANT) {
      _variant_t element(static_cast<LONG>(bytes[i]));
      SafeArrayPutElement(value.parray, &index, static_cast<VARIANT*>(&element));
    } else if (elementType == VT_UI1) {
      BYTE byte = bytes[i];
      SafeArrayPutElement(value.parray, &index, &byte);
    } else {
      _bstr_t text("x");
      SafeArrayPutElement(value.parray, &index, static_cast<BSTR>(text));
    }
  }
  return _variant_t(value, false);
}

_variant_t Blob(const TimezoneStruct& zone, VARTYPE elementType = VT_VARIANT) {
  return ByteArray(&zone, sizeof zone, elementType);
}

class AppointmentTimezoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    utils_ = new FakeMapiUtils;
    owner_ = utils_;
    utils_->Name(FakeMapiUtils::kAppointmentSet, 0x8233, kZoneTag);
    utils_->Name(FakeMapiUtils::kAppointmentSet, 0x8234, kNameTag);
    for (const TimeProperty& time : kTimes) utils_->Name(time.set, time.id, time.tag);
    testkit::SetSystemTimeZone(AsSystemZone(Utc()));
  }
  void TearDown() override { testkit::ResetSystemTimeZone(); }

  IUnknown* item() const { return static_cast<Redemption::IMAPIUtils*>(utils_); }

  void StoreZone(const _variant_t& blob) { utils_->Put(kZoneTag + kBinary, blob); }
  void StoreName(const char* name) { utils_->Put(kNameTag + kString8, _variant_t(name)); }
  void StoreTimes(const COleDateTime& time) {
    for (const TimeProperty& t : kTimes) utils_->Put(t.tag | kTime, _variant_t(time.m_dt, VT_DATE));
  }
  std::string StoredTime(long tag) const {
    const _variant_t* value = utils_->Get(tag | kTime);
    if (value == nullptr) return "none";
    if (value->vt != VT_DATE) return "not a date";
    return Text(COleDateTime(value->date));
  }

  bool Read(TimezoneStruct* zone, _bstr_t* name) {
    return GetAppointmentTimezone(item(), utils_, zone, name);
  }

  FakeMapiUtils* utils_ = nullptr;
  Redemption::IMAPIUtilsPtr owner_;
};

TEST_F(AppointmentTimezoneTest, ReadsTheStoredRecordAndName) {
  StoreZone(Blob(UsEastern()));
  StoreName("Eastern Standard Time");
  TimezoneStruct zone{};
  _bstr_t name;
  ASSERT_TRUE(Read(&zone, &name));
  const TimezoneStruct expected = UsEastern();
  EXPECT_EQ(0, std::memcmp(&expected, &zone, sizeof zone));
  EXPECT_STREQ("Eastern Standard Time", static_cast<const char*>(name));
}

TEST_F(AppointmentTimezoneTest, TypeBitsInALookedUpTagAreReplacedNotAdded) {
  // A store may answer the tag with a type already in its low word.
  utils_->Name(FakeMapiUtils::kAppointmentSet, 0x8233, kZoneTag | 0x0003);
  StoreZone(Blob(UsEastern()));
  TimezoneStruct zone{};
  _bstr_t name;
  ASSERT_TRUE(Read(&zone, &name));
  const TimezoneStruct expected = UsEastern();
  EXPECT_EQ(0, std::memcmp(&expected, &zone, sizeof zone));
}

TEST_F(AppointmentTimezoneTest, ReadsFromTheLowerBoundOfLongerArrays) {
  std::vector<BYTE> bytes(60, 0xEE);
  const TimezoneStruct zone = SydneyLike();
  std::memcpy(bytes.data(), &zone, sizeof zone);
  StoreZone(ByteArray(bytes.data(), 60, VT_VARIANT, 5));
  TimezoneStruct read{};
  _bstr_t name;
  ASSERT_TRUE(Read(&read, &name));
  EXPECT_EQ(0, std::memcmp(&zone, &read, sizeof zone));
}

TEST_F(AppointmentTimezoneTest, AcceptsByteElementArrays) {
  StoreZone(Blob(CentralEurope(), VT_UI1));
  TimezoneStruct zone{};
  _bstr_t name;
  ASSERT_TRUE(Read(&zone, &name));
  EXPECT_TRUE(zone.Bias == -60 && zone.DaylightDate.wMonth == 3);
}

TEST_F(AppointmentTimezoneTest, UnusableBlobsGiveFalseWithoutThrowing) {
  const TimezoneStruct zone = CentralEurope();
  const std::vector<_variant_t> blobs = {
      ByteArray(&zone, 47, VT_VARIANT),
      Blob(zone, VT_BSTR),
      _variant_t("not an array"),
      _variant_t(),
  };
  for (const _variant_t& blob : blobs) {
    StoreZone(blob);
    TimezoneStruct read = UsEastern();
    _bstr_t name("kept");
    EXPECT_NO_THROW(EXPECT_FALSE(Read(&read, &name))) << "vt " << blob.vt;
    EXPECT_EQ(300, read.Bias);
  }
}

TEST_F(AppointmentTimezoneTest, RecordWithRulesOutOfRangeIsNoStoredZone) {
  TimezoneStruct bad = CentralEurope();
  bad.DaylightDate.wDay = 9;
  StoreZone(Blob(bad));
  TimezoneStruct zone{};
  _bstr_t name;
  EXPECT_FALSE(Read(&zone, &name));
}

TEST_F(AppointmentTimezoneTest, MissingItemHelperOrTagGivesFalse) {
  StoreZone(Blob(CentralEurope()));
  TimezoneStruct zone{};
  _bstr_t name;
  EXPECT_FALSE(GetAppointmentTimezone(nullptr, utils_, &zone, &name));
  EXPECT_FALSE(GetAppointmentTimezone(item(), nullptr, &zone, &name));
  utils_->FailRead(kZoneTag + kBinary);
  EXPECT_FALSE(Read(&zone, &name));
  utils_->FailLookups();
  EXPECT_FALSE(Read(&zone, &name));
}

TEST_F(AppointmentTimezoneTest, NameIsCleanedOrEmptied) {
  StoreZone(Blob(CentralEurope()));
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"W. Europe Standard Time\r\n", "W. Europe Standard Time"},
      {"Amsterdam\r\nBerlin", "Amsterdam  Berlin"},
      {"  \t padded \t ", "padded"},
      {"\r\n", ""},
  };
  for (const auto& [stored, expected] : cases) {
    StoreName(stored);
    TimezoneStruct zone{};
    _bstr_t name("previous");
    ASSERT_TRUE(Read(&zone, &name));
    EXPECT_STREQ(expected, static_cast<const char*>(name)) << stored;
  }
  utils_->Put(kNameTag + kString8, _variant_t(5L));
  TimezoneStruct zone{};
  _bstr_t name("previous");
  ASSERT_TRUE(Read(&zone, &name));
  EXPECT_EQ(0u, name.length());
  utils_->FailRead(kNameTag + kString8);
  name = "previous";
  ASSERT_TRUE(Read(&zone, &name));
  EXPECT_EQ(0u, name.length());
}

TEST_F(AppointmentTimezoneTest, SetWritesBlobAndNameAndMovesTimes) {
  StoreZone(Blob(Utc()));
  StoreTimes(Dt(2026, 5, 4, 10));
  const TimezoneStruct oneHourEast = Zone(-60, 0, 0, {}, {});
  ASSERT_EQ(0, SetAppointmentTimezone(item(), utils_, oneHourEast, _bstr_t("One East")));

  const _variant_t* blob = utils_->Get(kZoneTag + kBinary);
  ASSERT_NE(nullptr, blob);
  ASSERT_EQ(VT_ARRAY | VT_VARIANT, blob->vt);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(blob->parray, 1, &lower);
  SafeArrayGetUBound(blob->parray, 1, &upper);
  EXPECT_EQ(0, lower);
  EXPECT_EQ(47, upper);
  LONG index = 0;
  _variant_t first;
  SafeArrayGetElement(blob->parray, &index, static_cast<VARIANT*>(&first));
  EXPECT_EQ(VT_UI1, first.vt);
  EXPECT_EQ(0xC4, first.bVal);

  const _variant_t* name = utils_->Get(kNameTag + kString8);
  ASSERT_NE(nullptr, name);
  EXPECT_EQ(VT_BSTR, name->vt);
  EXPECT_EQ(_bstr_t("One East"), _bstr_t(*name));
  for (const TimeProperty& time : kTimes) {
    EXPECT_EQ(Text(Dt(2026, 5, 4, 9)), StoredTime(time.tag)) << std::hex << time.id;
  }
  std::vector<long> expectedWrites = {kZoneTag + kBinary, kNameTag + kString8};
  for (const TimeProperty& time : kTimes) expectedWrites.push_back(time.tag | kTime);
  EXPECT_EQ(expectedWrites, utils_->Writes());
}

TEST_F(AppointmentTimezoneTest, MovesAcrossDaylightRules) {
  StoreZone(Blob(CentralEurope()));
  StoreTimes(Dt(2026, 7, 1, 8));  // 10:00 in Europe
  ASSERT_EQ(0, SetAppointmentTimezone(item(), utils_, UsEastern(), _bstr_t("US")));
  EXPECT_EQ(Text(Dt(2026, 7, 1, 14)), StoredTime(kTimes[3].tag));  // 10:00 in New York
}

TEST_F(AppointmentTimezoneTest, SameZoneWritesButMovesNothing) {
  StoreZone(Blob(CentralEurope()));
  StoreTimes(Dt(2026, 7, 1, 8));
  const TimezoneStruct sameRules = Zone(0, -60, -120, Rule(10, 0, 5, 3), Rule(3, 0, 5, 2));
  ASSERT_EQ(0, SetAppointmentTimezone(item(), utils_, sameRules, _bstr_t("Same")));
  EXPECT_EQ((std::vector<long>{kZoneTag + kBinary, kNameTag + kString8}), utils_->Writes());
  EXPECT_EQ(Text(Dt(2026, 7, 1, 8)), StoredTime(kTimes[3].tag));
}

TEST_F(AppointmentTimezoneTest, WithoutStoredZoneTheSystemZoneIsTheOldOne) {
  testkit::SetSystemTimeZone(AsSystemZone(CentralEurope()));
  StoreTimes(Dt(2026, 7, 1, 8));
  ASSERT_EQ(0, SetAppointmentTimezone(item(), utils_, CentralEurope(), _bstr_t("CET")));
  EXPECT_EQ(Text(Dt(2026, 7, 1, 8)), StoredTime(kTimes[3].tag));
  // A too-short blob counts as none as well.
  StoreZone(ByteArray("short", 5, VT_VARIANT));
  ASSERT_EQ(0, SetAppointmentTimezone(item(), utils_, UsEastern(), _bstr_t("US")));
  EXPECT_EQ(Text(Dt(2026, 7, 1, 14)), StoredTime(kTimes[3].tag));
}

TEST_F(AppointmentTimezoneTest, ReturnCodes) {
  EXPECT_EQ(-1, SetAppointmentTimezone(nullptr, utils_, Utc(), _bstr_t("x")));
  EXPECT_EQ(-1, SetAppointmentTimezone(item(), nullptr, Utc(), _bstr_t("x")));
  testkit::SetSystemTimeZoneInvalid();
  EXPECT_EQ(-2, SetAppointmentTimezone(item(), utils_, Utc(), _bstr_t("x")));
  testkit::SetSystemTimeZone(AsSystemZone(Utc()));
  FakeMapiUtils* unnamed = new FakeMapiUtils;
  Redemption::IMAPIUtilsPtr unnamedOwner(unnamed);
  EXPECT_EQ(-3, SetAppointmentTimezone(item(), unnamed, Utc(), _bstr_t("x")));
  EXPECT_TRUE(unnamed->Writes().empty());
}

TEST_F(AppointmentTimezoneTest, FailedZoneWriteLeavesNameAndTimes) {
  StoreZone(Blob(Utc()));
  StoreName("Old");
  StoreTimes(Dt(2026, 5, 4, 10));
  utils_->FailWrite(kZoneTag + kBinary);
  EXPECT_EQ(-4, SetAppointmentTimezone(item(), utils_, UsEastern(), _bstr_t("US")));
  EXPECT_EQ(std::vector<long>{kZoneTag + kBinary}, utils_->Writes());
  EXPECT_EQ(_bstr_t("Old"), _bstr_t(*utils_->Get(kNameTag + kString8)));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 10)), StoredTime(kTimes[3].tag));
}

TEST_F(AppointmentTimezoneTest, NameWithoutTagIsSkipped) {
  FakeMapiUtils* partial = new FakeMapiUtils;
  Redemption::IMAPIUtilsPtr partialOwner(partial);
  partial->Name(FakeMapiUtils::kAppointmentSet, 0x8233, kZoneTag);
  EXPECT_EQ(0, SetAppointmentTimezone(item(), partial, Utc(), _bstr_t("x")));
  EXPECT_EQ(std::vector<long>{kZoneTag + kBinary}, partial->Writes());
}

class ShiftAppointmentTimesTest : public AppointmentTimezoneTest {};

TEST_F(ShiftAppointmentTimesTest, MissingAndNonDateTimesStayAsTheyAre) {
  StoreTimes(Dt(2026, 5, 4, 10));
  utils_->Put(kTimes[0].tag | kTime, _variant_t());        // no pattern end date
  utils_->Put(kTimes[1].tag | kTime, _variant_t("text"));  // not a date
  utils_->FailRead(kTimes[4].tag | kTime);
  _ShiftAppointmentTimes(item(), utils_, Utc(), IndiaLike());
  EXPECT_EQ(VT_EMPTY, utils_->Get(kTimes[0].tag | kTime)->vt);
  EXPECT_EQ("not a date", StoredTime(kTimes[1].tag));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 4, 30)), StoredTime(kTimes[2].tag));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 10)), StoredTime(kTimes[4].tag));
  EXPECT_EQ(5u, utils_->Writes().size());
}

TEST_F(ShiftAppointmentTimesTest, FailedWriteDoesNotStopTheOthers) {
  StoreTimes(Dt(2026, 5, 4, 10));
  utils_->FailWrite(kTimes[2].tag | kTime);
  const LogCapture log;
  _ShiftAppointmentTimes(item(), utils_, Utc(), IndiaLike());
  EXPECT_NE(std::string::npos, log.Text().find("in _ShiftAppointmentTimes: HrSetOneProp(End)"))
      << log.Text();
  EXPECT_EQ(std::string::npos, log.Text().find("HrSetOneProp(Start)"));
  std::vector<long> expected;
  for (const TimeProperty& time : kTimes) expected.push_back(time.tag | kTime);
  EXPECT_EQ(expected, utils_->Writes());
  EXPECT_EQ(Text(Dt(2026, 5, 4, 10)), StoredTime(kTimes[2].tag));
  EXPECT_EQ(Text(Dt(2026, 5, 4, 4, 30)), StoredTime(kTimes[7].tag));
}

TEST_F(ShiftAppointmentTimesTest, TimePushedOutOfRangeIsKept) {
  StoreTimes(Dt(9999, 12, 31, 23));
  _ShiftAppointmentTimes(item(), utils_, IndiaLike(), Zone(300, 0, 0, {}, {}));
  EXPECT_EQ(Text(Dt(9999, 12, 31, 23)), StoredTime(kTimes[3].tag));
}

}  // namespace
