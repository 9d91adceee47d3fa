#include "IndexTestFixture.h"

#include "testkit/Clock.h"

namespace kelvra::test {

void IndexTestFixture::SetUp() {
  testkit::SetLocalTime(SYSTEMTIME{2026, 3, 0, 14, 9, 5, 7, 0});
  ASSERT_EQ(0, index_.Init(BasePath().c_str()));
}

void IndexTestFixture::TearDown() { testkit::UseRealClock(); }

std::pair<int, int> IndexTestFixture::Stat() {
  int lines = -1, garbage = -1;
  index_.GetBaseStat(&lines, &garbage);
  return {lines, garbage};
}

std::string IndexTestFixture::Files(int mask) {
  std::string out;
  const char* name = nullptr;
  FILETIME time{};
  int type = -1;
  for (int rc = index_.FindFirstFile(mask, &name, &time, &type); rc == 0;
       rc = index_.FindNextFile(mask, &name, &time, &type))
    out += std::string(name) + " " + std::to_string(type) + ";";
  return out;
}

std::string IndexTestFixture::Subfolders(int mask) {
  std::string out;
  const char* path = nullptr;
  int type = -1;
  for (int rc = index_.FindFirstSubfolder(mask, &path, &type); rc == 0;
       rc = index_.FindNextSubfolder(mask, &path, &type))
    out += std::string(path) + " " + std::to_string(type) + ";";
  return out;
}

}  // namespace kelvra::test
