// The programs CreateProcessA can start, registered by testkit under Windows paths, and
// a record of the starts.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

class ProgramTable {
 public:
  using Main = std::function<DWORD(const std::string& commandLine)>;

  static ProgramTable& Instance();

  // An empty main removes the program.
  void Register(const std::string& windowsPath, Main main);
  void FailStart(const std::string& windowsPath, DWORD error);
  // The program, or the error CreateProcessA reports (2 for an unknown path). Records
  // the start.
  std::optional<Main> Find(const std::string& windowsPath, DWORD& error);
  std::vector<std::string> Started() const;
  void ClearStarted();

 private:
  ProgramTable() = default;
  static std::string Key(const std::string& windowsPath);

  mutable std::mutex mutex_;
  std::map<std::string, Main> programs_;
  std::map<std::string, DWORD> failures_;
  std::vector<std::string> started_;
};

}  // namespace kelvra::platform
