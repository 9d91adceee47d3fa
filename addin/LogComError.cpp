#include "addin/LogComError.h"

#include <string>

#include "addin/CLogTimer.h"
#include "win32/windows.h"

namespace {

std::string Ansi(const char16_t* text) {
  if (text == nullptr || *text == u'\0') return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return std::string();
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(static_cast<std::size_t>(size - 1));
  return ansi;
}

}  // namespace

void LogComError(const char* function, const _com_error& error) {
  g_LogTimer.Err(function, error.Error(), "_com_error(%s)", Ansi(error.ErrorMessage()).c_str());
}
