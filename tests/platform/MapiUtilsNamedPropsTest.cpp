#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "OutlookTestMailbox.h"
#include "atl/OleDateTime.h"
#include "com/objbase.h"
#include "com/safearray.h"
#include "outlook/AppointmentItem.h"
#include "redemption/redemption.h"
#include "testkit/TimeZone.h"

namespace {

using namespace outlooktest;
using Outlook::_AppointmentItemPtr;
using Redemption::IMAPIUtilsPtr;
using Redemption::ISafeAppointmentItemPtr;

const char* const kAppointmentSet = "{00062002-0000-0000-C000-000000000046}";
const char* const kCommonSet = "{00062008-0000-0000-C000-000000000046}";
constexpr long kBinary = 0x0102;
constexpr long kString8 = 0x001E;
constexpr long kSysTime = 0x0040;

template <class Ptr>
Ptr Create(const char16_t* progId) {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << "class id";
  typename Ptr::Interface* object = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, Ptr::GetIID(),
                             reinterpret_cast<void**>(&object)),
            S_OK);
  return Ptr(object, false);
}

// bytes as the helper takes them: VARIANT elements holding VT_UI1, lower bound 0.
_variant_t ByteArray(const std::vector<std::uint8_t>& bytes) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_VARIANT;
  value.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(bytes.size()));
  for (LONG i = 0; i < static_cast<LONG>(bytes.size()); ++i) {
    VARIANT element;
    VariantInit(&element);
    element.vt = VT_UI1;
    element.bVal = bytes[static_cast<std::size_t>(i)];
    SafeArrayPutElement(value.parray, &i, &element);
  }
  return _variant_t(value, false);
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bytes;
}

// An appointment in the calendar, saved, with the helper and a view on it.
class MapiUtilsTest : public OutlookTest {
 protected:
  void SetUp() override {
    OutlookTest::SetUp();
    utils_ = Create<IMAPIUtilsPtr>(u"Redemption.MapiUtils");
    ASSERT_TRUE(utils_ != NULL);
    appointment_ = app_->CreateItem(Outlook::olAppointmentItem);
    ASSERT_TRUE(appointment_ != NULL);
    appointment_->PutSubject(_bstr_t("Review"));
    appointment_->Save();
  }
  void TearDown() override {
    appointment_ = nullptr;
    utils_ = nullptr;
    testkit::ResetSystemTimeZone();
    OutlookTest::TearDown();
  }

  long Tag(const char* set, long id, bool create = false) {
    return utils_->GetIDsFromNames(appointment_, _bstr_t(set), _variant_t(id),
                                   create ? VARIANT_TRUE : VARIANT_FALSE);
  }

  IMAPIUtilsPtr utils_;
  _AppointmentItemPtr appointment_;
};

// --- Looking up named properties.

class NamedPropertyLookupTest : public MapiUtilsTest {};

TEST_F(NamedPropertyLookupTest, CalendarNamesHaveTagsWithoutTypeBits) {
  const long zone = Tag(kAppointmentSet, 0x8233);
  const long start = Tag(kAppointmentSet, 0x820D);
  const long reminder = Tag(kCommonSet, 0x8502);
  for (long tag : {zone, start, reminder}) {
    EXPECT_GE(static_cast<ULONG>(tag) >> 16, 0x8000u);
    EXPECT_EQ(tag & 0xFFFF, 0);
  }
  EXPECT_NE(zone, start);
  EXPECT_NE(start, reminder);
  EXPECT_EQ(Tag(kAppointmentSet, 0x8233), zone);
}

TEST_F(NamedPropertyLookupTest, AnUnknownNameIsZeroUnlessCreated) {
  EXPECT_EQ(Tag(kAppointmentSet, 0x8299), 0);
  const long created = Tag(kAppointmentSet, 0x8299, true);
  EXPECT_GE(static_cast<ULONG>(created) >> 16, 0x8000u);
  EXPECT_EQ(Tag(kAppointmentSet, 0x8299), created);
  EXPECT_EQ(Tag(kCommonSet, 0x8299), 0) << "the property set is part of the name";
}

TEST_F(NamedPropertyLookupTest, ANewMailboxNumbersAfresh) {
  Tag(kAppointmentSet, 0x8299, true);
  appointment_ = nullptr;
  testkit::LoadMailboxText(kMailbox);
  appointment_ = app_->CreateItem(Outlook::olAppointmentItem);
  EXPECT_EQ(Tag(kAppointmentSet, 0x8299), 0);
}

TEST_F(NamedPropertyLookupTest, BadArgumentsFail) {
  long tag = -1;
  EXPECT_EQ(utils_->raw_GetIDsFromNames(appointment_, _bstr_t("not a guid"), _variant_t(0x8233L),
                                        VARIANT_FALSE, &tag),
            E_INVALIDARG);
  EXPECT_EQ(tag, 0);
  EXPECT_EQ(utils_->raw_GetIDsFromNames(utils_, _bstr_t(kAppointmentSet), _variant_t(0x8233L),
                                        VARIANT_FALSE, &tag),
            E_INVALIDARG)
      << "not an Outlook item";
  EXPECT_EQ(utils_->raw_GetIDsFromNames(appointment_, _bstr_t(kAppointmentSet), _variant_t(u"x"),
                                        VARIANT_FALSE, &tag),
            DISP_E_TYPEMISMATCH);
}

TEST_F(NamedPropertyLookupTest, EachRequestReadsItsOwnPropertySet) {
  const long zone = Tag(kAppointmentSet, 0x8233);
  const long reminder = Tag(kCommonSet, 0x8502);
  EXPECT_EQ(Tag("00062002-0000-0000-c000-000000000046", 0x8233), zone) << "no braces, lower case";
  EXPECT_EQ(Tag(kCommonSet, 0x8502), reminder);
  long tag = -1;
  for (const char* bad :
       {"{00062002-0000-0000-C000-00000000004", "", "{00062008-0000-0000-C000-000000000046}x"}) {
    EXPECT_EQ(utils_->raw_GetIDsFromNames(appointment_, _bstr_t(bad), _variant_t(0x8502L),
                                          VARIANT_FALSE, &tag),
              E_INVALIDARG)
        << bad;
    EXPECT_EQ(tag, 0);
  }
  EXPECT_EQ(utils_->raw_GetIDsFromNames(appointment_, _bstr_t(), _variant_t(0x8502L), VARIANT_FALSE,
                                        &tag),
            E_INVALIDARG);
  EXPECT_EQ(Tag(kAppointmentSet, 0x8233), zone);
}

TEST_F(NamedPropertyLookupTest, APlannedFailureIsRaised) {
  testkit::FailCall("MAPIUtils.GetIDsFromNames", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { Tag(kAppointmentSet, 0x8233); }), E_FAIL);
  EXPECT_NE(Tag(kAppointmentSet, 0x8233), 0);
}

// --- Reading and writing by tag.

class PropertyReadWriteTest : public MapiUtilsTest {};

TEST_F(PropertyReadWriteTest, ABinaryValueRoundTripsAsAnArrayOfByteVariants) {
  const long tag = Tag(kAppointmentSet, 0x8233) + kBinary;
  const std::vector<std::uint8_t> bytes = Pattern(48);
  ASSERT_EQ(utils_->HrSetOneProp(appointment_, tag, ByteArray(bytes), VARIANT_FALSE), S_OK);

  _variant_t read = utils_->HrGetOneProp(appointment_, tag);
  ASSERT_EQ(read.vt, VT_ARRAY | VT_VARIANT);
  LONG lower = -1, upper = -1;
  SafeArrayGetLBound(read.parray, 1, &lower);
  SafeArrayGetUBound(read.parray, 1, &upper);
  EXPECT_EQ(lower, 0);
  ASSERT_EQ(upper, 47);
  for (LONG i = 0; i <= upper; ++i) {
    _variant_t element;
    ASSERT_EQ(SafeArrayGetElement(read.parray, &i, &element), S_OK);
    ASSERT_EQ(element.vt, VT_UI1);
    EXPECT_EQ(element.bVal, bytes[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(PropertyReadWriteTest, WritingMarksTheItemUnsavedWithoutSavingIt) {
  ASSERT_EQ(appointment_->GetSaved(), VARIANT_TRUE);
  const long tag = Tag(kAppointmentSet, 0x8234) + kString8;
  ASSERT_EQ(utils_->HrSetOneProp(appointment_, tag, _variant_t(u"Berlin"), VARIANT_FALSE), S_OK);
  EXPECT_EQ(appointment_->GetSaved(), VARIANT_FALSE);
  _variant_t read = utils_->HrGetOneProp(appointment_, tag);
  ASSERT_EQ(read.vt, VT_BSTR);
  EXPECT_EQ(Text(_bstr_t(read)), u"Berlin");
}

TEST_F(PropertyReadWriteTest, TimesAreUtcDates) {
  const long tag = Tag(kCommonSet, 0x8502) | kSysTime;
  const DATE when = COleDateTime(2026, 5, 4, 3, 2, 1).m_dt;
  ASSERT_EQ(utils_->HrSetOneProp(appointment_, tag, _variant_t(when, VT_DATE), VARIANT_FALSE),
            S_OK);
  _variant_t read = utils_->HrGetOneProp(appointment_, tag);
  ASSERT_EQ(read.vt, VT_DATE);
  EXPECT_DOUBLE_EQ(read.date, when);
}

TEST_F(PropertyReadWriteTest, AnAbsentPropertyOrOneOfAnotherTypeReadsEmpty) {
  EXPECT_EQ(utils_->HrGetOneProp(appointment_, Tag(kAppointmentSet, 0x8236) | kSysTime).vt,
            VT_EMPTY);
  const long name = Tag(kAppointmentSet, 0x8234);
  utils_->HrSetOneProp(appointment_, name + kString8, _variant_t(u"x"), VARIANT_FALSE);
  EXPECT_EQ(utils_->HrGetOneProp(appointment_, name + kBinary).vt, VT_EMPTY);
}

TEST_F(PropertyReadWriteTest, AValueThatDoesNotSuitTheTagIsRefusedAndChangesNothing) {
  const long tag = Tag(kAppointmentSet, 0x8233) + kBinary;
  ASSERT_EQ(utils_->HrSetOneProp(appointment_, tag, ByteArray(Pattern(4)), VARIANT_FALSE), S_OK);
  EXPECT_EQ(utils_->HrSetOneProp(appointment_, tag, _variant_t(u"text"), VARIANT_FALSE),
            DISP_E_TYPEMISMATCH);
  _variant_t notByte = ByteArray(Pattern(2));
  LONG index = 1;
  _variant_t big(300L);
  SafeArrayPutElement(notByte.parray, &index, &big);
  EXPECT_EQ(utils_->HrSetOneProp(appointment_, tag, notByte, VARIANT_FALSE), DISP_E_TYPEMISMATCH);
  _variant_t read = utils_->HrGetOneProp(appointment_, tag);
  LONG upper = -1;
  SafeArrayGetUBound(read.parray, 1, &upper);
  EXPECT_EQ(upper, 3) << "the first value stays";
}

TEST_F(PropertyReadWriteTest, APlainByteArrayIsTakenToo) {
  const long tag = Tag(kAppointmentSet, 0x8233) + kBinary;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_UI1;
  value.parray = SafeArrayCreateVector(VT_UI1, 0, 2);
  LONG index = 1;
  BYTE byte = 0xEE;
  SafeArrayPutElement(value.parray, &index, &byte);
  EXPECT_EQ(utils_->HrSetOneProp(appointment_, tag, _variant_t(value, false), VARIANT_FALSE), S_OK);
  _variant_t read = utils_->HrGetOneProp(appointment_, tag);
  _variant_t element;
  ASSERT_EQ(SafeArrayGetElement(read.parray, &index, &element), S_OK);
  EXPECT_EQ(element.bVal, 0xEE);
}

TEST_F(PropertyReadWriteTest, ReadsCanHandOutOtherElementTypes) {
  const long tag = Tag(kAppointmentSet, 0x8233) + kBinary;
  utils_->HrSetOneProp(appointment_, tag, ByteArray(Pattern(3)), VARIANT_FALSE);
  testkit::SetBinaryReadElementType(VT_I4);
  _variant_t longs = utils_->HrGetOneProp(appointment_, tag);
  EXPECT_EQ(longs.vt, VT_ARRAY | VT_I4);
  testkit::SetBinaryReadElementType(VT_UI1);
  _variant_t bytes = utils_->HrGetOneProp(appointment_, tag);
  ASSERT_EQ(bytes.vt, VT_ARRAY | VT_UI1);
  LONG index = 2;
  BYTE byte = 0;
  SafeArrayGetElement(bytes.parray, &index, &byte);
  EXPECT_EQ(byte, Pattern(3)[2]);
  testkit::SetBinaryReadElementType(VT_VARIANT);
  EXPECT_THROW(testkit::SetBinaryReadElementType(VT_BSTR), std::invalid_argument);
}

TEST_F(PropertyReadWriteTest, PlannedFailuresReachTheCaller) {
  const long tag = Tag(kAppointmentSet, 0x8234) + kString8;
  testkit::FailCall("MAPIUtils.HrSetOneProp", 1, E_OUTOFMEMORY);
  EXPECT_EQ(utils_->HrSetOneProp(appointment_, tag, _variant_t(u"x"), VARIANT_FALSE),
            E_OUTOFMEMORY);
  EXPECT_EQ(utils_->HrGetOneProp(appointment_, tag).vt, VT_EMPTY) << "nothing was written";
  testkit::FailCall("MAPIUtils.HrGetOneProp", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { utils_->HrGetOneProp(appointment_, tag); }), E_FAIL);
}

// --- The appointment's Start and End are local views of its UTC times.

class AppointmentTimeViewTest : public MapiUtilsTest {
 protected:
  void SetUp() override {
    MapiUtilsTest::SetUp();
    TIME_ZONE_INFORMATION europe{};
    europe.Bias = -60;
    europe.DaylightBias = -60;
    europe.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
    europe.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
    testkit::SetSystemTimeZone(europe);
  }

  DATE UtcStart() {
    _variant_t value = utils_->HrGetOneProp(appointment_, Tag(kAppointmentSet, 0x820D) | kSysTime);
    EXPECT_EQ(value.vt, VT_DATE);
    return value.date;
  }
};

TEST_F(AppointmentTimeViewTest, SettingStartStoresUtcAndKeepsTheDuration) {
  appointment_->PutStart(COleDateTime(2026, 1, 10, 9, 0, 0).m_dt);
  EXPECT_EQ(COleDateTime(UtcStart()), COleDateTime(2026, 1, 10, 8, 0, 0));
  EXPECT_EQ(appointment_->GetDuration(), 30);
  EXPECT_EQ(COleDateTime(appointment_->GetEnd()), COleDateTime(2026, 1, 10, 9, 30, 0));
}

TEST_F(AppointmentTimeViewTest, AUtcTimeWrittenThroughTheHelperShowsInLocalTime) {
  const long start = Tag(kAppointmentSet, 0x820D) | kSysTime;
  const long end = Tag(kAppointmentSet, 0x820E) | kSysTime;
  utils_->HrSetOneProp(appointment_, start,
                       _variant_t(COleDateTime(2026, 7, 1, 8, 0, 0).m_dt, VT_DATE), VARIANT_FALSE);
  utils_->HrSetOneProp(appointment_, end,
                       _variant_t(COleDateTime(2026, 7, 1, 9, 15, 0).m_dt, VT_DATE), VARIANT_FALSE);
  EXPECT_EQ(COleDateTime(appointment_->GetStart()), COleDateTime(2026, 7, 1, 10, 0, 0));
  EXPECT_EQ(COleDateTime(appointment_->GetEnd()), COleDateTime(2026, 7, 1, 11, 15, 0));
  EXPECT_EQ(appointment_->GetDuration(), 75);
}

TEST_F(AppointmentTimeViewTest, DurationMovesTheEndAndAnEndBeforeTheStartIsRefused) {
  appointment_->PutStart(COleDateTime(2026, 3, 29, 1, 0, 0).m_dt);
  appointment_->PutDuration(120);  // across the change to daylight time
  EXPECT_EQ(COleDateTime(appointment_->GetEnd()), COleDateTime(2026, 3, 29, 4, 0, 0));
  EXPECT_EQ(ErrorOf([&] { appointment_->PutEnd(COleDateTime(2026, 3, 29, 0, 0, 0).m_dt); }),
            E_INVALIDARG);
  appointment_->PutEnd(COleDateTime(2026, 3, 29, 5, 0, 0).m_dt);
  EXPECT_EQ(appointment_->GetDuration(), 180);
  EXPECT_EQ(appointment_->GetClass(), Outlook::olAppointment);
}

// --- The safe appointment reads the same properties.

class SafeAppointmentTest : public MapiUtilsTest {};

TEST_F(SafeAppointmentTest, FieldsReadNamedPropertiesByTheHelpersTags) {
  const long tag = Tag(kAppointmentSet, 0x8234) + kString8;
  utils_->HrSetOneProp(appointment_, tag, _variant_t(u"Zone"), VARIANT_FALSE);
  appointment_->PutBody(_bstr_t("Agenda"));
  ISafeAppointmentItemPtr safe = Create<ISafeAppointmentItemPtr>(u"Redemption.SafeAppointmentItem");
  ASSERT_TRUE(safe != NULL);
  EXPECT_EQ(ErrorOf([&] { safe->GetBody(); }), E_FAIL) << "no item yet";
  safe->PutItem(appointment_);
  EXPECT_EQ(Text(safe->GetBody()), u"Agenda");
  EXPECT_EQ(Text(_bstr_t(safe->GetFields(tag))), u"Zone");
  EXPECT_EQ(safe->GetFields(0x0C1F001E).vt, VT_EMPTY);
  testkit::FailCall("SafeAppointmentItem.Fields", 1, E_FAIL);
  EXPECT_EQ(ErrorOf([&] { safe->GetFields(tag); }), E_FAIL);
}

}  // namespace
