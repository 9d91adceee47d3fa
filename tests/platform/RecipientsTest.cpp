#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppointmentTestMailbox.h"
#include "com/objbase.h"

namespace {

using namespace appointmenttest;
using Outlook::_AppointmentItemPtr;

struct Seen {
  long type;
  std::string name;
  std::string address;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << seen.type << " " << seen.name << " <" << seen.address << ">";
}

class RecipientsTest : public AppointmentTest {
 protected:
  // The recipients as the object model lists them.
  static std::vector<Seen> Listed(Outlook::RecipientsPtr recipients) {
    std::vector<Seen> seen;
    for (long i = 1; i <= recipients->GetCount(); ++i) {
      Outlook::RecipientPtr recipient = recipients->Item(i);
      seen.push_back(
          {recipient->GetType(), Text(recipient->GetName()), Text(recipient->GetAddress())});
    }
    return seen;
  }

  // The recipients as Redemption's safe appointment lists them.
  static std::vector<Seen> ListedSafely(const _AppointmentItemPtr& item) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Redemption.SafeAppointmentItem", &clsid), S_OK);
    Redemption::ISafeAppointmentItem* created = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                               __uuidof(Redemption::ISafeAppointmentItem),
                               reinterpret_cast<void**>(&created)),
              S_OK);
    Redemption::ISafeAppointmentItemPtr safe(created, false);
    safe->PutItem(item);
    Redemption::ISafeRecipientsPtr recipients = safe->GetRecipients();
    std::vector<Seen> seen;
    for (long i = 1; i <= recipients->GetCount(); ++i) {
      Redemption::ISafeRecipientPtr recipient = recipients->Item(i);
      seen.push_back(
          {recipient->GetType(), Text(recipient->GetName()), Text(recipient->GetAddress())});
    }
    return seen;
  }
};

TEST_F(RecipientsTest, AMailboxFilesRecipientsKeepTheirOrderAndTypes) {
  const std::vector<Seen> expected{
      {Outlook::olOrganizer, "Olga Organizer", "olga@example.com"},
      {Outlook::olRequired, "Rita Required", "rita@example.com"},
      {Outlook::olOptional, "Otto Optional", "otto@example.com"},
      {Outlook::olResource, "Room 7", "room7@example.com"},
  };
  EXPECT_EQ(Listed(Review()->GetRecipients()), expected);
  EXPECT_EQ(ListedSafely(Review()), expected);
}

TEST_F(RecipientsTest, AddedRecipientsAreRequiredWithTheTextAsNameAndAddress) {
  _AppointmentItemPtr item = NewAppointment();
  Outlook::RecipientsPtr recipients = item->GetRecipients();
  recipients->Add(_bstr_t("b@example.com"));
  Outlook::RecipientPtr added = recipients->Add(_bstr_t("a@example.com"));
  EXPECT_EQ(Text(added->GetAddress()), "a@example.com");
  EXPECT_EQ(item->GetSaved(), VARIANT_FALSE);
  const std::vector<Seen> expected{
      {Outlook::olRequired, "b@example.com", "b@example.com"},
      {Outlook::olRequired, "a@example.com", "a@example.com"},
  };
  EXPECT_EQ(Listed(recipients), expected);
  EXPECT_EQ(ListedSafely(item), expected);
}

TEST_F(RecipientsTest, ATypeCanBeChangedWithinItsRange) {
  _AppointmentItemPtr item = NewAppointment();
  Outlook::RecipientPtr recipient = item->GetRecipients()->Add(_bstr_t("x@example.com"));
  recipient->PutType(Outlook::olOptional);
  EXPECT_EQ(item->GetRecipients()->Item(1L)->GetType(), Outlook::olOptional);
  EXPECT_EQ(ErrorOf([&] { recipient->PutType(4); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { recipient->PutType(-1); }), E_INVALIDARG);
  EXPECT_EQ(recipient->GetType(), Outlook::olOptional);
}

TEST_F(RecipientsTest, AnIndexOutsideTheListIsRefused) {
  Outlook::RecipientsPtr recipients = Review()->GetRecipients();
  EXPECT_EQ(ErrorOf([&] { recipients->Item(0L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { recipients->Item(5L); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([&] { recipients->Item(_variant_t("first")); }), DISP_E_TYPEMISMATCH);
}

}  // namespace
