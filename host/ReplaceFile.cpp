#include "ReplaceFile.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace host {

void ReplaceFile(const std::string& linuxPath,
                 const std::function<void(const std::string&)>& write) {
  const std::string temporary = linuxPath + ".new";
  std::string failure;
  try {
    write(temporary);
    std::error_code moved;
    std::filesystem::rename(temporary, linuxPath, moved);
    if (!moved) return;
    failure = moved.message();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  throw std::runtime_error("cannot write " + linuxPath + ": " + failure);
}

}  // namespace host
