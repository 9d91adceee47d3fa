// A test that works in its own temporary folder, with drive C: inside it and the
// file settings of the stand-in back to their defaults afterwards.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/TempDir.h"
#include "testkit/Files.h"

class FileTestFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    testkit::ResetFiles();
    mkdir(dir.linuxPath("host").c_str(), 0777);
    testkit::SetHostRoot(dir.linuxPath("host"));
  }
  void TearDown() override { testkit::ResetFiles(); }

  // A Windows path inside the temporary folder.
  std::string Win(const std::string& name) const { return dir.windowsPath(name); }
  void MakeFolder(const std::string& name) const { mkdir(dir.linuxPath(name).c_str(), 0777); }
  // Sets the file's last-write time to the given Unix second.
  void SetMTime(const std::string& name, time_t seconds, long nanoseconds = 0) const {
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    utimensat(AT_FDCWD, dir.linuxPath(name).c_str(), times, 0);
  }
  time_t MTime(const std::string& name) const {
    struct stat st {};
    stat(dir.linuxPath(name).c_str(), &st);
    return st.st_mtime;
  }

  kelvra::test::TempDir dir;
};
