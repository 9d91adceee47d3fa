#include "HostOutput.h"

#include <cstdio>
#include <mutex>

namespace host {
namespace {

std::mutex& OutputLock() {
  static std::mutex lock;
  return lock;
}

void Write(std::FILE* stream, const std::string& text) {
  std::lock_guard lock(OutputLock());
  std::fwrite(text.data(), 1, text.size(), stream);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace

void PrintOut(const std::string& text) { Write(stdout, text); }

void PrintError(const std::string& message) { Write(stderr, "kelvra-host: " + message); }

}  // namespace host
