#include "contacts/ContactFieldMap.h"

#include <iterator>
#include <string>

#include "addin/BstrView.h"

namespace {

using Outlook::_ContactItem;
using Redemption::ISafeContactItem;

using CardText = const std::basic_string<WCHAR>& (*)(const ParsedCard&);
using ContactPut = void (_ContactItem::*)(_bstr_t);
using ContactGet = _bstr_t (_ContactItem::*)();
using ViewGet = _bstr_t (ISafeContactItem::*)();

struct TextField {
  CardText text;
  ContactPut put;
  ContactGet get;
  // Set for a property Outlook guards: compared through the Redemption views.
  ViewGet viewGet;
};

#define KELVRA_CARD(expression) \
  [](const ParsedCard& c) -> const std::basic_string<WCHAR>& { return expression; }
#define KELVRA_FIELD(expression, Name) \
  { KELVRA_CARD(expression), &_ContactItem::Put##Name, &_ContactItem::Get##Name, nullptr }
#define KELVRA_GUARDED(expression, Name)                                         \
  {                                                                              \
    KELVRA_CARD(expression), &_ContactItem::Put##Name, &_ContactItem::Get##Name, \
        &ISafeContactItem::Get##Name                                             \
  }

// FullName comes first: the name parts set after it compose it as Outlook does.
const TextField kTextFields[] = {
    KELVRA_FIELD(c.fullName, FullName),
    KELVRA_FIELD(c.firstName, FirstName),
    KELVRA_FIELD(c.middleName, MiddleName),
    KELVRA_FIELD(c.lastName, LastName),
    KELVRA_FIELD(c.namePrefix, Title),
    KELVRA_FIELD(c.nameSuffix, Suffix),
    KELVRA_FIELD(c.nickName, NickName),
    KELVRA_FIELD(c.profession, Profession),
    KELVRA_FIELD(c.companyName, CompanyName),
    KELVRA_FIELD(c.department, Department),
    KELVRA_FIELD(c.jobTitle, JobTitle),
    KELVRA_GUARDED(c.notes, Body),
    KELVRA_FIELD(c.business.postOfficeBox, BusinessAddressPostOfficeBox),
    KELVRA_FIELD(c.officeLocation, OfficeLocation),
    KELVRA_FIELD(c.business.street, BusinessAddressStreet),
    KELVRA_FIELD(c.business.city, BusinessAddressCity),
    KELVRA_FIELD(c.business.region, BusinessAddressState),
    KELVRA_FIELD(c.business.postalCode, BusinessAddressPostalCode),
    KELVRA_FIELD(c.business.country, BusinessAddressCountry),
    KELVRA_FIELD(c.home.postOfficeBox, HomeAddressPostOfficeBox),
    KELVRA_FIELD(c.home.street, HomeAddressStreet),
    KELVRA_FIELD(c.home.city, HomeAddressCity),
    KELVRA_FIELD(c.home.region, HomeAddressState),
    KELVRA_FIELD(c.home.postalCode, HomeAddressPostalCode),
    KELVRA_FIELD(c.home.country, HomeAddressCountry),
    KELVRA_FIELD(c.other.postOfficeBox, OtherAddressPostOfficeBox),
    KELVRA_FIELD(c.other.street, OtherAddressStreet),
    KELVRA_FIELD(c.other.city, OtherAddressCity),
    KELVRA_FIELD(c.other.region, OtherAddressState),
    KELVRA_FIELD(c.other.postalCode, OtherAddressPostalCode),
    KELVRA_FIELD(c.other.country, OtherAddressCountry),
    KELVRA_FIELD(c.phones[ParsedCard::kBusinessPhone], BusinessTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kBusiness2Phone], Business2TelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kBusinessFax], BusinessFaxNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kHomePhone], HomeTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kHome2Phone], Home2TelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kHomeFax], HomeFaxNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kMobilePhone], MobileTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kCarPhone], CarTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kPager], PagerNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kIsdn], ISDNNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kPrimaryPhone], PrimaryTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kOtherPhone], OtherTelephoneNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kOtherFax], OtherFaxNumber),
    KELVRA_FIELD(c.phones[ParsedCard::kCompanyMainPhone], CompanyMainTelephoneNumber),
    KELVRA_GUARDED(c.emails[0].address, Email1Address),
    KELVRA_GUARDED(c.emails[0].addressType, Email1AddressType),
    KELVRA_GUARDED(c.emails[1].address, Email2Address),
    KELVRA_GUARDED(c.emails[1].addressType, Email2AddressType),
    KELVRA_GUARDED(c.emails[2].address, Email3Address),
    KELVRA_GUARDED(c.emails[2].addressType, Email3AddressType),
    KELVRA_GUARDED(c.imAddress, IMAddress),
    KELVRA_FIELD(c.categories, Categories),
    KELVRA_FIELD(c.managerName, ManagerName),
    KELVRA_FIELD(c.assistantName, AssistantName),
    KELVRA_FIELD(c.spouse, Spouse),
    KELVRA_FIELD(c.netMeetingServer, NetMeetingServer),
    KELVRA_GUARDED(c.netMeetingAlias, NetMeetingAlias),
    KELVRA_FIELD(c.freeBusyAddress, InternetFreeBusyAddress),
    KELVRA_FIELD(c.businessHomePage, BusinessHomePage),
    KELVRA_FIELD(c.personalHomePage, PersonalHomePage),
};

#undef KELVRA_GUARDED
#undef KELVRA_FIELD
#undef KELVRA_CARD

struct DateField {
  DATE ParsedCard::*date;
  void (_ContactItem::*put)(DATE);
  DATE (_ContactItem::*get)();
};

constexpr DateField kDateFields[] = {
    {&ParsedCard::birthday, &_ContactItem::PutBirthday, &_ContactItem::GetBirthday},
    {&ParsedCard::anniversary, &_ContactItem::PutAnniversary, &_ContactItem::GetAnniversary},
};

_bstr_t MakeBstr(const std::basic_string<WCHAR>& text) {
  _bstr_t made(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())), false);
  if (!made) _com_issue_error(E_OUTOFMEMORY);
  return made;
}

bool SameText(const _bstr_t& a, const _bstr_t& b) { return BstrView(a) == BstrView(b); }

}  // namespace

void ContactFieldMap::Apply(const ParsedCard& card, Outlook::_ContactItem& contact) {
  for (const TextField& field : kTextFields) {
    const std::basic_string<WCHAR>& text = field.text(card);
    if (!text.empty()) (contact.*field.put)(MakeBstr(text));
  }
  for (const DateField& field : kDateFields) {
    if (card.*field.date != 0) (contact.*field.put)(card.*field.date);
  }
  contact.PutSensitivity(static_cast<Outlook::OlSensitivity>(card.sensitivity));
}

bool ContactFieldMap::Same(const ParsedCard& card, Outlook::_ContactItem& made,
                           Redemption::ISafeContactItem& madeView, Outlook::_ContactItem& candidate,
                           Redemption::ISafeContactItem& candidateView) {
  for (const TextField& field : kTextFields) {
    if (field.text(card).empty()) continue;
    const bool same = field.viewGet
                          ? SameText((madeView.*field.viewGet)(), (candidateView.*field.viewGet)())
                          : SameText((made.*field.get)(), (candidate.*field.get)());
    if (!same) return false;
  }
  for (const DateField& field : kDateFields) {
    if (card.*field.date != 0 && (made.*field.get)() != (candidate.*field.get)()) return false;
  }
  return made.GetSensitivity() == candidate.GetSensitivity();
}
