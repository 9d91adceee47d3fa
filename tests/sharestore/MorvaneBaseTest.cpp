// The item-share base: the folder and item lines the index writes, how they read back,
// the file-share lines it does not know, compaction, and the fields the line format
// cannot carry.
#include <gtest/gtest.h>

#include "MorvaneTestFixture.h"

namespace kelvra::test {
namespace {

constexpr FILETIME kTime{0x455ebb80, 0x01dcb389};

class MorvaneBaseTest : public MorvaneFixture {
 protected:
  int Reopen() { return index_.Init(BasePath().c_str()); }
};

TEST_F(MorvaneBaseTest, FolderAndItemLinesHaveTheirFields) {
  ASSERT_EQ(0, index_.AddFolder("k", "0A0B", "FF01", "IPM.Contact"));
  ASSERT_EQ(0, index_.AddFolder("n", "0A0B", "FF02", nullptr));
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  ASSERT_EQ(0, index_.SetItem("00AB", kTime, MORVANE_NEW));
  ASSERT_EQ(0, index_.RemoveItem("00ab"));
  EXPECT_EQ((std::vector<std::string>{"Folder=1,k,FF01,0A0B,IPM.Contact", "Folder=2,n,FF02,0A0B,",
                                      "Item=1,455ebb80-01dcb389,N,00AB", "RemoveItem=1,00AB"}),
            Lines());
}

TEST_F(MorvaneBaseTest, ReplayRestoresFoldersItemsAndCounts) {
  dir_.write("base.txt",
             "Folder=1,k,FF01,0A0B,IPM.Contact\r\nFolder=2,n,FF02,0A0B,\r\n;comment\r\n"
             "Item=1,455ebb80-01dcb389,N,00AB\r\nItem=1,1-2,m,00ab\r\nItem=1,0-0,D,00CD\r\n"
             "RemoveItem=1,00CD\r\n");
  ASSERT_EQ(0, Reopen());
  const char* folderId = nullptr;
  const char* storeId = nullptr;
  const char* messageClass = nullptr;
  ASSERT_EQ(0, index_.FindFolder("n", &folderId, &storeId, &messageClass));
  EXPECT_STREQ("FF02", folderId);
  EXPECT_STREQ("0A0B", storeId);
  EXPECT_STREQ("", messageClass);
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  EXPECT_EQ("00ab 2;", Items());
  FILETIME time{};
  int type = -1;
  ASSERT_EQ(0, index_.FindItem("00AB", &time, &type));
  EXPECT_EQ(1u, time.dwLowDateTime);
  EXPECT_EQ(2u, time.dwHighDateTime);
  // Six lines; the first item line is superseded, the removal voids itself and its item.
  EXPECT_EQ(std::make_pair(6, 3), Stat());
}

TEST_F(MorvaneBaseTest, FileShareLinesAreUnknownHere) {
  dir_.write(
      "base.txt",
      "Folder=1,k,FF01,0A0B,\r\nFile=1,0-0,N,a.txt\r\nChangeFolder=1,x\r\nSubfolder=1,N,a\r\n"
      "Folder=2,short,FF02\r\n");
  ASSERT_EQ(0, Reopen());
  EXPECT_EQ(std::make_pair(5, 4), Stat());
  ASSERT_EQ(0, index_.SetCurrentFolder("k"));
  EXPECT_EQ("", Items());
  int count = -1;
  ASSERT_EQ(0, index_.GetFolderCount(&count));
  EXPECT_EQ(1, count);
  EXPECT_NE(std::string::npos, Log().find("unknown command"));
}

TEST_F(MorvaneBaseTest, RemovedFolderVoidsItsItemsAndIsNotCurrentAnyMore) {
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, index_.SetItem("01", kTime, MORVANE_NEW));
  ASSERT_EQ(0, index_.SetItem("02", kTime, MORVANE_NEW));
  ASSERT_EQ(0, index_.RemoveFolder("c"));
  EXPECT_EQ(1, index_.GetCurrentFolder(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(std::make_pair(4, 4), Stat());
  ASSERT_EQ(0, Reopen());
  EXPECT_EQ(std::make_pair(4, 4), Stat());
}

TEST_F(MorvaneBaseTest, CompactionWritesFoldersWithTheirItemsAndReadsBack) {
  ASSERT_EQ(0, AddContacts("IPM.Contact"));
  ASSERT_EQ(0, index_.SetItem("02", kTime, MORVANE_MODIFIED));
  ASSERT_EQ(0, index_.SetItem("01", kTime, MORVANE_NEW));
  ASSERT_EQ(0, index_.SetItem("01", kTime, MORVANE_DELETED));
  ASSERT_EQ(0, index_.CompactBase());
  EXPECT_EQ(
      (std::vector<std::string>{"Folder=1,c," + FolderId() + "," + StoreId() + ",IPM.Contact",
                                "Item=1,455ebb80-01dcb389,D,01", "Item=1,455ebb80-01dcb389,M,02"}),
      Lines());
  EXPECT_EQ(std::make_pair(3, 0), Stat());
  ASSERT_EQ(0, Reopen());
  ASSERT_EQ(0, index_.SetCurrentFolder("c"));
  EXPECT_EQ("01 3;02 2;", Items());
}

TEST_F(MorvaneBaseTest, AcknowledgingRemovesDeletedItemsAndClearsOthers) {
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, index_.SetItem("01", kTime, MORVANE_DELETED));
  ASSERT_EQ(0, index_.SetItem("02", kTime, MORVANE_NEW));
  ASSERT_EQ(0, index_.RemoveChange("01"));
  ASSERT_EQ(0, index_.RemoveChange("02"));
  EXPECT_EQ("RemoveItem=1,01", Lines()[3]);
  EXPECT_EQ("Item=1,455ebb80-01dcb389,_,02", Lines()[4]);
  EXPECT_EQ("02 0;", Items());
  int count = -1;
  ASSERT_EQ(0, index_.GetItemCount(&count, 1 << MORVANE_NEW));
  EXPECT_EQ(0, count);
}

TEST_F(MorvaneBaseTest, AcknowledgingEachDeletionWhileEnumeratingVisitsEveryOneOnce) {
  ASSERT_EQ(0, AddContacts());
  for (const char* id : {"01", "02", "03", "04"})
    ASSERT_EQ(0, index_.SetItem(id, kTime, id[1] == '3' ? MORVANE_NEW : MORVANE_DELETED));
  const int deleted = 1 << MORVANE_DELETED;
  const char* id = nullptr;
  FILETIME time{};
  int type = -1;
  std::string visited;
  for (int rc = index_.FindFirstItem(deleted, &id, &time, &type); rc == 0;
       rc = index_.FindNextItem(deleted, &id, &time, &type)) {
    visited += std::string(id) + ";";
    ASSERT_EQ(0, index_.RemoveChange(id));
  }
  EXPECT_EQ("01;02;04;", visited);
  EXPECT_EQ("03 1;", Items());
}

TEST_F(MorvaneBaseTest, ATornLastLineIsCutOffAndTwoStartsReadTheSame) {
  const std::string committed =
      "Folder=1,c,FF01,0A0B,\r\nFolder=12,d,FF02,0A0B,\r\nItem=12,0-0,N,0A\r\n";
  for (const char* torn :
       {"RemoveFolder=1", "Item=12,455ebb80-01dcb389,N,0", "RemoveItem=12,0", "Item=1,0-0,N,0AB"}) {
    dir_.write("base.txt", committed + torn);
    for (int start = 1; start <= 2; ++start) {
      ASSERT_EQ(0, Reopen());
      EXPECT_EQ(std::make_pair(3, 0), Stat()) << torn << ", start " << start;
      int count = -1;
      ASSERT_EQ(0, index_.GetFolderCount(&count));
      EXPECT_EQ(2, count) << torn << ", start " << start;
      ASSERT_EQ(0, index_.SetCurrentFolder("c"));
      EXPECT_EQ("", Items()) << torn << ", start " << start;
      ASSERT_EQ(0, index_.SetCurrentFolder("d"));
      EXPECT_EQ("0A 1;", Items()) << torn << ", start " << start;
    }
    EXPECT_EQ(committed, dir_.read("base.txt")) << torn;
  }
  // The next line appended stands on a line of its own.
  ASSERT_EQ(0, index_.SetItem("02", kTime, MORVANE_NEW));
  ASSERT_EQ(0, Reopen());
  ASSERT_EQ(0, index_.SetCurrentFolder("d"));
  EXPECT_EQ("02 1;0A 1;", Items());
  EXPECT_NE(std::string::npos, Log().find("cutting off unfinished last line (Item=1,0-0,N,0AB)"))
      << Log();
}

class MorvaneFieldTest : public MorvaneFixture {};

TEST_F(MorvaneFieldTest, FolderNeedsKeyAndBothIds) {
  EXPECT_EQ(-1, index_.AddFolder("", "0A", "0B", nullptr));
  EXPECT_EQ(-1, index_.AddFolder("k", "", "0B", nullptr));
  EXPECT_EQ(-1, index_.AddFolder("k", "0A", nullptr, nullptr));
  EXPECT_EQ(0, index_.AddFolder("k", "0A", "0B", ""));
  EXPECT_EQ(-2, index_.AddFolder("k", "0A", "0C", nullptr));
  EXPECT_EQ(std::vector<std::string>{"Folder=1,k,0B,0A,"}, Lines());
}

TEST_F(MorvaneFieldTest, CommasInFolderFieldsAreRefusedBeforeTheyShiftTheLine) {
  EXPECT_EQ(-3, index_.AddFolder("a,b", "0A", "0B", nullptr));
  EXPECT_EQ(-3, index_.AddFolder("k", "0A,", "0B", nullptr));
  EXPECT_EQ(-3, index_.AddFolder("k", "0A", ",0B", nullptr));
  EXPECT_EQ(-3, index_.AddFolder("k", "0A", "0B", "IPM.Note,x"));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(MorvaneFieldTest, LineBreaksInAnyFieldAndEmptyItemIdsAreRefused) {
  EXPECT_EQ(-1, index_.AddFolder("k\n", "0A", "0B", nullptr));
  EXPECT_EQ(-1, index_.AddFolder("k", "0A\r", "0B", nullptr));
  EXPECT_EQ(-1, index_.AddFolder("k", "0A", "0B", "IPM\n"));
  ASSERT_EQ(0, AddContacts());
  EXPECT_EQ(-1, index_.SetItem("", kTime, MORVANE_NEW));
  EXPECT_EQ(-1, index_.SetItem("01\r\nFolder=9,x,1,2,", kTime, MORVANE_NEW));
  EXPECT_EQ(-2, index_.SetItem("01", kTime, 4));
  EXPECT_EQ(1u, Lines().size());
}

TEST_F(MorvaneFieldTest, EnumerationsAndLookupsCheckTheirPointers) {
  ASSERT_EQ(0, AddContacts());
  ASSERT_EQ(0, index_.SetItem("01", kTime, MORVANE_NEW));
  FILETIME time{};
  int type = 0;
  EXPECT_EQ(-1, index_.FindItem("01", nullptr, &type));
  EXPECT_EQ(-1, index_.FindItem("01", &time, nullptr));
  EXPECT_EQ(1, index_.FindItem("02", &time, &type));
  const char* id = nullptr;
  EXPECT_EQ(-2, index_.FindNextItem(0, &id, &time, &type));
  EXPECT_EQ(-1, index_.GetFirstFolder(nullptr, nullptr, nullptr, nullptr));
  const char* key = nullptr;
  EXPECT_EQ(0, index_.GetFirstFolder(&key, nullptr, nullptr, nullptr));
  EXPECT_STREQ("c", key);
  EXPECT_EQ(1, index_.GetNextFolder(&key, nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace kelvra::test
