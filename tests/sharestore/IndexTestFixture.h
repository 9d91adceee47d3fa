// An index over a base in a fresh temporary folder, with a fixed clock.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShareStoreTestSupport.h"

namespace kelvra::test {

class IndexTestFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string BasePath() const { return dir_.windowsPath("base.txt"); }
  std::vector<std::string> Lines() const { return BaseLines(dir_.linuxPath("base.txt")); }
  std::pair<int, int> Stat();
  // "name type" of the current folder's files that match the mask, in name order.
  std::string Files(int mask = 0);
  std::string Subfolders(int mask = 0);

  TempDir dir_;
  CTessaly index_;
};

}  // namespace kelvra::test
