// Helpers shared by the contact tests.
#pragma once

#include <cstddef>
#include <string>

#include "support/TempDir.h"

namespace kelvra::test {

// The bytes of a file, "" when it cannot be read.
std::string ReadFileBytes(const std::string& linuxPath);
// The bytes of a test fixture; a missing or empty one fails the test.
std::string ReadFixtureFile(const std::string& linuxPath);

// The Windows view ("Z:\...") of a Linux path.
std::string ToWindowsPath(const std::string& linuxPath);

// A fresh folder that stands in for the add-in's own while the object lives: the
// module "Kelvra.dll" lies there, so the encodings list is read from it. No message
// box is left over from earlier tests.
class AddinFolder {
 public:
  AddinFolder();
  ~AddinFolder();
  AddinFolder(const AddinFolder&) = delete;
  AddinFolder& operator=(const AddinFolder&) = delete;

  void WriteEncodings(const std::string& bytes) const;
  const TempDir& Dir() const { return m_dir; }

 private:
  TempDir m_dir;
};

// The English language file loaded into g_Lang while the object lives.
class EnglishTexts {
 public:
  EnglishTexts();
  ~EnglishTexts();
  EnglishTexts(const EnglishTexts&) = delete;
  EnglishTexts& operator=(const EnglishTexts&) = delete;
};

// The lines the process-wide log writes to its error file from construction on. The
// log is opened once per process in a folder that lives as long as the process.
class ErrorLogWatch {
 public:
  ErrorLogWatch();
  std::string Lines() const;

 private:
  static const std::string& ErrFilePath();
  std::size_t m_start;
};

}  // namespace kelvra::test
