#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AppointmentTestMailbox.h"
#include "com/objbase.h"
#include "com/safearray.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;
using Redemption::IMAPIUtilsPtr;
using Redemption::ISafeAppointmentItemPtr;

const char* const kAppointmentSet = "{00062002-0000-0000-C000-000000000046}";
const char* const kMeetingSet = "{6ED8DA90-450B-101B-98DA-00AA003F1305}";
constexpr long kSenderEmailAddress = 0x0C1F001E;
constexpr long kSenderName = 0x0C1A001E;
constexpr long kLong = 0x0003;
constexpr long kBinary = 0x0102;
const char* const kReviewUid =
    "040000008200E00074C5B7101A82E008000000000000000000000000000000000000000010000000"
    "0102030405060708090A0B0C0D0E0F10";

template <class Ptr>
Ptr Create(const char16_t* progId) {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
  typename Ptr::Interface* object = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, Ptr::GetIID(),
                             reinterpret_cast<void**>(&object)),
            S_OK);
  return Ptr(object, false);
}

std::vector<std::uint8_t> BytesOf(const _variant_t& array) {
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(array.vt, VT_ARRAY | VT_VARIANT);
  if (array.vt != (VT_ARRAY | VT_VARIANT)) return bytes;
  LONG low = 0;
  LONG high = -1;
  SafeArrayGetLBound(array.parray, 1, &low);
  SafeArrayGetUBound(array.parray, 1, &high);
  for (LONG i = low; i <= high; ++i) {
    VARIANT element;
    VariantInit(&element);
    SafeArrayGetElement(array.parray, &i, &element);
    EXPECT_EQ(element.vt, VT_UI1);
    bytes.push_back(element.bVal);
  }
  return bytes;
}

class RedemptionAppointmentTest : public AppointmentTest {
 protected:
  void SetUp() override {
    AppointmentTest::SetUp();
    safe_ = Create<ISafeAppointmentItemPtr>(u"Redemption.SafeAppointmentItem");
    utils_ = Create<IMAPIUtilsPtr>(u"Redemption.MapiUtils");
    ASSERT_TRUE(safe_ != nullptr);
    ASSERT_TRUE(utils_ != nullptr);
  }
  void TearDown() override {
    safe_ = nullptr;
    utils_ = nullptr;
    AppointmentTest::TearDown();
  }

  ISafeAppointmentItemPtr safe_;
  IMAPIUtilsPtr utils_;
};

// --- The safe item's fields and named-property lookups.
using SafeAppointmentFieldsTest = RedemptionAppointmentTest;

TEST_F(SafeAppointmentFieldsTest, TheSenderComesFromTheItemsMapiProperties) {
  safe_->PutItem(Review());
  EXPECT_EQ(Text(_bstr_t(safe_->GetFields(kSenderEmailAddress))), "olga@example.com");
  EXPECT_EQ(Text(_bstr_t(safe_->GetFields(kSenderName))), "Olga Organizer");
  EXPECT_EQ(Text(safe_->GetBody()), "Agenda:\r\n1. Figures");
  safe_->PutItem(Find("Dentist"));
  EXPECT_EQ(safe_->GetFields(kSenderEmailAddress).vt, VT_EMPTY);
}

TEST_F(SafeAppointmentFieldsTest, TheLabelIsReadByTheTagOfItsName) {
  safe_->PutItem(Review());
  const long tag = safe_->GetIDsFromNames(_bstr_t(kAppointmentSet), _variant_t(0x8214L));
  EXPECT_GE(static_cast<unsigned long>(tag), 0x80000000ul);
  EXPECT_EQ(tag & 0xFFFF, 0);
  const _variant_t label = safe_->GetFields(tag | kLong);
  EXPECT_EQ(label.vt, VT_I4);
  EXPECT_EQ(label.lVal, 4);
}

TEST_F(SafeAppointmentFieldsTest, AnUnknownNameGivesTagZeroAndIsNotCreated) {
  safe_->PutItem(Review());
  const char* const unknownSet = "{11111111-2222-3333-4444-555555555555}";
  EXPECT_EQ(safe_->GetIDsFromNames(_bstr_t(unknownSet), _variant_t(7L)), 0);
  EXPECT_EQ(safe_->GetIDsFromNames(_bstr_t(unknownSet), _variant_t(7L)), 0);
  EXPECT_EQ(ErrorOf([&] { safe_->GetIDsFromNames(_bstr_t("not a guid"), _variant_t(7L)); }),
            E_INVALIDARG);
}

TEST_F(SafeAppointmentFieldsTest, ReadsWithoutAnItemFail) {
  EXPECT_EQ(ErrorOf([&] { safe_->GetRecipients(); }), E_FAIL);
  EXPECT_EQ(ErrorOf([&] { safe_->GetIDsFromNames(_bstr_t(kAppointmentSet), _variant_t(1L)); }),
            E_FAIL);
  testkit::FailCall("SafeAppointmentItem.Fields", 0, E_ACCESSDENIED);
  safe_->PutItem(Review());
  EXPECT_EQ(ErrorOf([&] { safe_->GetFields(kSenderEmailAddress); }), E_ACCESSDENIED);
  testkit::ClearFaults();
}

// --- The meeting's global object id and the hex helpers.
using MeetingUidTest = RedemptionAppointmentTest;

TEST_F(MeetingUidTest, TheGlobalObjectIdReadsAsUpperCaseHex) {
  _AppointmentItemPtr review = Review();
  const long tag =
      utils_->GetIDsFromNames(review, _bstr_t(kMeetingSet), _variant_t(3L), VARIANT_FALSE);
  ASSERT_NE(tag, 0);
  const _variant_t value = utils_->HrGetOneProp(review, tag + kBinary);
  EXPECT_EQ(BytesOf(value).size(), 56u);
  EXPECT_EQ(Text(utils_->HrArrayToString(value)), kReviewUid);
}

TEST_F(MeetingUidTest, AnAppointmentWithoutOneReadsEmpty) {
  _AppointmentItemPtr dentist = Find("Dentist");
  const long tag =
      utils_->GetIDsFromNames(dentist, _bstr_t(kMeetingSet), _variant_t(3L), VARIANT_FALSE);
  ASSERT_NE(tag, 0);
  EXPECT_EQ(utils_->HrGetOneProp(dentist, tag + kBinary).vt, VT_EMPTY);
}

TEST_F(MeetingUidTest, HexTextConvertsBothWays) {
  const _variant_t array = utils_->HrStringToArray(_bstr_t("00ff7A"));
  EXPECT_EQ(BytesOf(array), (std::vector<std::uint8_t>{0x00, 0xFF, 0x7A}));
  EXPECT_EQ(Text(utils_->HrArrayToString(array)), "00FF7A");
  EXPECT_EQ(Text(utils_->HrArrayToString(utils_->HrStringToArray(_bstr_t("")))), "");
}

TEST_F(MeetingUidTest, BadHexAndNonArraysAreRefused) {
  EXPECT_EQ(ErrorOf([&] { utils_->HrStringToArray(_bstr_t("ABC")); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { utils_->HrStringToArray(_bstr_t("0G")); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { utils_->HrArrayToString(_variant_t("0102")); }), DISP_E_TYPEMISMATCH);
}

TEST_F(MeetingUidTest, AnIdWrittenFromHexIsReadBackAfterSaving) {
  _AppointmentItemPtr dentist = Find("Dentist");
  const long tag =
      utils_->GetIDsFromNames(dentist, _bstr_t(kMeetingSet), _variant_t(3L), VARIANT_FALSE);
  EXPECT_EQ(utils_->HrSetOneProp(dentist, tag + kBinary, utils_->HrStringToArray(_bstr_t("A1B2")),
                                 VARIANT_TRUE),
            S_OK);
  EXPECT_EQ(dentist->GetSaved(), VARIANT_TRUE);
  EXPECT_EQ(Text(utils_->HrArrayToString(utils_->HrGetOneProp(dentist, tag + kBinary))), "A1B2");
}

// --- What the calendar import writes into an appointment it adds.
using ImportedAppointmentTest = RedemptionAppointmentTest;

TEST_F(ImportedAppointmentTest, ANewAppointmentTakesRecipientsANewNamedIdAndTheSender) {
  _AppointmentItemPtr item = Calendar()->GetItems()->Add(Outlook::olAppointmentItem);
  item->PutSubject("Imported");
  item->GetRecipients()->Add(_bstr_t("rita@example.com"));
  item->GetRecipients()->Add(_bstr_t("Otto <otto@example.com>"));
  // The clean global object id: a name this mailbox does not know yet.
  const _variant_t cleanId(0x23L);
  ASSERT_EQ(utils_->GetIDsFromNames(item, _bstr_t(kMeetingSet), cleanId, VARIANT_FALSE), 0);
  const long tag = utils_->GetIDsFromNames(item, _bstr_t(kMeetingSet), cleanId, VARIANT_TRUE);
  ASSERT_NE(tag, 0);
  EXPECT_EQ(utils_->GetIDsFromNames(item, _bstr_t(kMeetingSet), cleanId, VARIANT_FALSE), tag);
  EXPECT_EQ(utils_->HrSetOneProp(item, tag | kBinary, utils_->HrStringToArray(_bstr_t(kReviewUid)),
                                 VARIANT_FALSE),
            S_OK);
  EXPECT_EQ(utils_->HrSetOneProp(item, kSenderEmailAddress, _variant_t("olga@example.com"),
                                 VARIANT_FALSE),
            S_OK);
  item->Save();

  _AppointmentItemPtr saved = Find("Imported");
  EXPECT_EQ(Text(utils_->HrArrayToString(utils_->HrGetOneProp(saved, tag | kBinary))), kReviewUid);
  safe_->PutItem(saved);
  EXPECT_EQ(Text(_bstr_t(safe_->GetFields(kSenderEmailAddress))), "olga@example.com");
  Redemption::ISafeRecipientsPtr recipients = safe_->GetRecipients();
  ASSERT_EQ(recipients->GetCount(), 2);
  Redemption::ISafeRecipientPtr second = recipients->Item(2L);
  EXPECT_EQ(second->GetType(), Outlook::olRequired);
  EXPECT_EQ(Text(second->GetAddress()), "Otto <otto@example.com>");
  EXPECT_EQ(Text(second->GetName()), "Otto <otto@example.com>");
}

}  // namespace
