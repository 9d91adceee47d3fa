// One contact as the vCard reader leaves it for the import run: UTF-16 texts, empty
// until a property sets them, two dates (0 = not set), the sensitivity and the picture.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "com/variant.h"
#include "win32/base.h"

// An address as the reader fills it; the business address also has an office location,
// kept beside it in ParsedCard.
struct ParsedAddress {
  std::basic_string<WCHAR> postOfficeBox;
  std::basic_string<WCHAR> street;
  std::basic_string<WCHAR> city;
  std::basic_string<WCHAR> region;
  std::basic_string<WCHAR> postalCode;
  std::basic_string<WCHAR> country;

  bool IsEmpty() const {
    return postOfficeBox.empty() && street.empty() && city.empty() && region.empty() &&
           postalCode.empty() && country.empty();
  }
  bool operator==(const ParsedAddress&) const = default;
};

struct ParsedEmail {
  std::basic_string<WCHAR> address;
  std::basic_string<WCHAR> addressType;  // "SMTP" for an Internet address, else empty

  bool operator==(const ParsedEmail&) const = default;
};

struct ParsedCard {
  enum Phone {
    kBusinessPhone,
    kBusiness2Phone,
    kBusinessFax,
    kHomePhone,
    kHome2Phone,
    kHomeFax,
    kMobilePhone,
    kCarPhone,
    kPager,
    kIsdn,
    kPrimaryPhone,
    kOtherPhone,
    kOtherFax,
    kCompanyMainPhone,
    kPhoneCount
  };
  static constexpr int kEmailCount = 3;
  static constexpr int kSensitivityNormal = 0;
  static constexpr int kSensitivityPrivate = 2;
  static constexpr int kSensitivityConfidential = 3;

  std::basic_string<WCHAR> firstName;
  std::basic_string<WCHAR> middleName;
  std::basic_string<WCHAR> lastName;
  std::basic_string<WCHAR> namePrefix;
  std::basic_string<WCHAR> nameSuffix;
  std::basic_string<WCHAR> fullName;
  std::basic_string<WCHAR> nickName;
  std::basic_string<WCHAR> profession;
  std::basic_string<WCHAR> companyName;
  std::basic_string<WCHAR> department;
  std::basic_string<WCHAR> jobTitle;
  std::basic_string<WCHAR> notes;

  ParsedAddress business;
  std::basic_string<WCHAR> officeLocation;
  ParsedAddress home;
  ParsedAddress other;

  std::array<std::basic_string<WCHAR>, kPhoneCount> phones;
  std::array<ParsedEmail, kEmailCount> emails;

  std::basic_string<WCHAR> imAddress;
  std::basic_string<WCHAR> categories;
  std::basic_string<WCHAR> managerName;
  std::basic_string<WCHAR> assistantName;
  std::basic_string<WCHAR> spouse;
  std::basic_string<WCHAR> netMeetingServer;
  std::basic_string<WCHAR> netMeetingAlias;
  std::basic_string<WCHAR> freeBusyAddress;
  std::basic_string<WCHAR> businessHomePage;
  std::basic_string<WCHAR> personalHomePage;

  DATE birthday = 0;
  DATE anniversary = 0;
  int sensitivity = kSensitivityNormal;

  std::vector<unsigned char> picture;
  std::string pictureExtension;  // "JPG", "PNG"... empty without a picture

  // The name parts that are set, joined by single blanks: prefix, first, middle, last
  // and suffix; empty for a card without a structured name.
  std::basic_string<WCHAR> JoinedName() const {
    std::basic_string<WCHAR> name;
    for (const std::basic_string<WCHAR>* part :
         {&namePrefix, &firstName, &middleName, &lastName, &nameSuffix}) {
      if (part->empty()) continue;
      if (!name.empty()) name += u' ';
      name += *part;
    }
    return name;
  }

  bool operator==(const ParsedCard&) const = default;
};
