// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <string>

namespace kelvra::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder as Linux sees it ("/tmp/kelvra-XXXXXX").
  const std::string& linux() const { return linux_; }
  // The same folder as the system sees it ("Z:\tmp\kelvra-XXXXXX").
  std::string windows() const;
  // A path inside the folder, in either view.
  std::string linuxPath(const std::string& name) const { return linux_ + "/" + name; }
  std::string windowsPath(const std::string& name) const { return windows() + "\\" + name; }

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string linux_;
};

}  // namespace kelvra::test
