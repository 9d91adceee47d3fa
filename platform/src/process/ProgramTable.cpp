#include "process/ProgramTable.h"

#include "base/AsciiCase.h"

namespace kelvra::platform {

ProgramTable& ProgramTable::Instance() {
  static ProgramTable* table = new ProgramTable;  // programs may still run at exit
  return *table;
}

std::string ProgramTable::Key(const std::string& windowsPath) {
  std::string key;
  for (char c : windowsPath) {
    char unified = c == '/' ? '\\' : static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    if (unified == '\\' && !key.empty() && key.back() == '\\') continue;
    key.push_back(unified);
  }
  return key;
}

void ProgramTable::Register(const std::string& windowsPath, Main main) {
  std::lock_guard lock(mutex_);
  if (main)
    programs_[Key(windowsPath)] = std::move(main);
  else
    programs_.erase(Key(windowsPath));
}

void ProgramTable::FailStart(const std::string& windowsPath, DWORD error) {
  std::lock_guard lock(mutex_);
  if (error == 0)
    failures_.erase(Key(windowsPath));
  else
    failures_[Key(windowsPath)] = error;
}

std::optional<ProgramTable::Main> ProgramTable::Find(const std::string& windowsPath, DWORD& error) {
  std::lock_guard lock(mutex_);
  started_.push_back(windowsPath);
  const std::string key = Key(windowsPath);
  if (auto failure = failures_.find(key); failure != failures_.end()) {
    error = failure->second;
    return std::nullopt;
  }
  auto it = programs_.find(key);
  if (it == programs_.end()) {
    error = ERROR_FILE_NOT_FOUND;
    return std::nullopt;
  }
  return it->second;
}

std::vector<std::string> ProgramTable::Started() const {
  std::lock_guard lock(mutex_);
  return started_;
}

void ProgramTable::ClearStarted() {
  std::lock_guard lock(mutex_);
  started_.clear();
}

}  // namespace kelvra::platform
