// One contact as the vCard reader leaves it for the import run: UTF-16 texts, empty
// until a property sets them, two dates (0 = not set), the sensitivity and the picture.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "com/variant.h"

// An address as the reader fills it; the business address also has an office location,
// kept beside it in ParsedCard.
struct ParsedAddress {
  std::u16string postOfficeBox;
  std::u16string street;
  std::u16string city;
  std::u16string region;
  std::u16string postalCode;
  std::u16string country;

  bool IsEmpty() const {
    return postOfficeBox.empty() && street.empty() && city.empty() && region.empty() &&
           postalCode.empty() && country.empty();
  }
  bool operator==(const ParsedAddress&) const = default;
};

struct ParsedEmail {
  std::u16string address;
  std::u16string addressType;  // "SMTP" for an Internet address, else empty

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

  std::u16string firstName;
  std::u16string middleName;
  std::u16string lastName;
  std::u16string namePrefix;
  std::u16string nameSuffix;
  std::u16string fullName;
  std::u16string nickName;
  std::u16string profession;
  std::u16string companyName;
  std::u16string department;
  std::u16string jobTitle;
  std::u16string notes;

  ParsedAddress business;
  std::u16string officeLocation;
  ParsedAddress home;
  ParsedAddress other;

  std::array<std::u16string, kPhoneCount> phones;
  std::array<ParsedEmail, kEmailCount> emails;

  std::u16string imAddress;
  std::u16string categories;
  std::u16string managerName;
  std::u16string assistantName;
  std::u16string spouse;
  std::u16string netMeetingServer;
  std::u16string netMeetingAlias;
  std::u16string freeBusyAddress;
  std::u16string businessHomePage;
  std::u16string personalHomePage;

  DATE birthday = 0;
  DATE anniversary = 0;
  int sensitivity = kSensitivityNormal;

  std::vector<unsigned char> picture;
  std::string pictureExtension;  // "JPG", "PNG"... empty without a picture

  bool operator==(const ParsedCard&) const = default;
};
