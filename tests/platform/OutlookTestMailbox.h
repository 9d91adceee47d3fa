// A small mailbox for the tests of the stand-in Outlook object model and Redemption,
// and a fixture that loads it and checks, when a test ends, that every object the
// test took has been released.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ComTestObjects.h"
#include "outlook/outlook.h"
#include "testkit/Outlook.h"
#include "testkit/Redemption.h"
#include "testkit/Store.h"

namespace outlooktest {

// Personal Folders: Deleted Items, Inbox, Calendar, Contacts (Ann Lee, the list
// Friends, Bob Stone; subfolder Work with Carl Marsh). Archive: Contacts with one
// contact. Ann's second address is an Exchange one whose entry id is in the address
// book; her first attachment is her photo.
inline const char* const kMailbox = R"({
  "stores": [
    {"name": "Personal Folders", "entryId": "5354303031", "folders": [
      {"name": "Deleted Items", "defaultItemType": 0},
      {"name": "Inbox", "defaultItemType": 0},
      {"name": "Calendar", "defaultItemType": 1},
      {"name": "Contacts", "entryId": "46303031", "defaultItemType": 2, "items": [
        {"EntryID": "43303031", "MessageClass": "IPM.Contact", "FirstName": "Ann",
         "LastName": "Lee", "Body": "Met at the fair.\r\nCall back.",
         "Email1Address": "ann@example.org", "Email1AddressType": "SMTP",
         "Email2Address": "/o=Corp/cn=Ann Lee", "Email2AddressType": "EX",
         "Email2EntryID": "00ab01", "IMAddress": "ann@im.example",
         "NetMeetingAlias": "annl", "Birthday": "1970-05-17", "Sensitivity": 2,
         "HasPicture": true,
         "Attachments": [
           {"FileName": "photo.jpg", "Type": 1, "Data": "/9j/4AAQ",
            "MapiProperties": [{"tag": "0x7FFF000B", "value": true}]},
           {"FileName": "notes.txt", "Type": 1, "Data": "aGVsbG8=",
            "MapiProperties": [{"tag": "0x37140003", "value": 4},
                               {"tag": "0x3707001E", "value": "notes.txt"}]},
           {"FileName": "link.lnk", "Type": 4, "Data": ""}
         ]},
        {"EntryID": "44303031", "MessageClass": "IPM.DistList", "DLName": "Friends"},
        {"EntryID": "43303032", "MessageClass": "IPM.Contact", "FirstName": "Bob",
         "LastName": "Stone"}
      ], "folders": [
        {"name": "Work", "defaultItemType": 2, "items": [
          {"MessageClass": "IPM.Contact", "FirstName": "Carl", "LastName": "Marsh"}
        ]}
      ]}
    ]},
    {"name": "Archive", "entryId": "5354303032", "folders": [
      {"name": "Contacts", "defaultItemType": 2, "items": [
        {"EntryID": "43303939", "MessageClass": "IPM.Contact", "FullName": "Old Friend"}
      ]}
    ]}
  ],
  "addressBook": [
    {"entryId": "00AB01", "name": "Ann Lee", "smtpAddress": "ann.lee@corp.example"}
  ]
})";

class OutlookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetMailbox();
    testkit::ClearCreateFailures();
    testkit::LoadMailboxText(kMailbox);
    app_ = testkit::CreateOutlookApplication();
  }

  // Everything the test took must be gone once the fixture lets go of the application.
  void TearDown() override {
    app_ = nullptr;
    EXPECT_EQ(testkit::LiveOutlookObjects(), 0u) << "objects were not released";
    testkit::ResetMailbox();
  }

  Outlook::_NameSpacePtr Session() { return app_->GetSession(); }
  Outlook::MAPIFolderPtr Contacts() {
    return Session()->GetDefaultFolder(Outlook::olFolderContacts);
  }
  // The item at the 1-based position of the default contacts folder.
  IDispatchPtr ContactsItem(long position) { return Contacts()->GetItems()->Item(position); }
  Outlook::_ContactItemPtr Ann() { return ContactsItem(1); }

  Outlook::_ApplicationPtr app_;
};

using comtest::ErrorOf;
using comtest::Text;

}  // namespace outlooktest
