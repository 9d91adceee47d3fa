// An item-share index over a base in a fresh temporary folder, watching the Contacts
// folder of the stand-in mailbox through a MAPI session, with a fixed clock and zone.
// Every test ends with no MAPI object or memory block left behind and the session's
// references as they were.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ShareStoreTestSupport.h"
#include "mapi/mapix.h"
#include "sharestore/morvane/CMorvane.h"
#include "store/Folder.h"
#include "store/Item.h"

namespace kelvra::test {

class MorvaneFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string BasePath() const { return dir_.windowsPath("base.txt"); }
  std::vector<std::string> Lines() const { return BaseLines(dir_.linuxPath("base.txt")); }
  std::pair<int, int> Stat();
  // "id type;" of the current folder's items that match the mask, in id order.
  std::string Items(int mask = 0);
  // A saved item of the Contacts folder.
  store::ItemPtr Save(const std::u16string& messageClass = u"IPM.Contact");
  // Watches Contacts under the key "c" and makes it current.
  int AddContacts(const char* messageClass = nullptr);
  std::string StoreId() const;
  std::string FolderId() const;
  static std::string Id(const store::ItemPtr& item);
  // What the library logged since SetUp, header and message a line.
  static std::string Log();

  // Records each progress call as "done/total".
  static int WINAPI Record(int done, int total, void* user);
  std::vector<std::string> progress_;

  TempDir dir_;
  CMorvane index_;
  IMAPISession* session_ = nullptr;
  store::FolderPtr contacts_;

 private:
  std::size_t objectsBefore_ = 0;
  std::size_t blocksBefore_ = 0;
};

}  // namespace kelvra::test
