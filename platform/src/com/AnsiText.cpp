#include "com/AnsiText.h"

#include "com/com_error.h"
#include "win32/nls.h"

namespace kelvra::com {

namespace {

[[noreturn]] void RaiseLastError() {
  const HRESULT result = HRESULT_FROM_WIN32(GetLastError());
  _com_issue_error(FAILED(result) ? result : E_FAIL);
}

}  // namespace

BSTR AnsiToBstr(const char* text) {
  if (text == nullptr) return nullptr;
  // Counts include the NUL (length -1).
  const int characters = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (characters < 1) RaiseLastError();
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(characters - 1));
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, result, characters) != characters) {
    SysFreeString(result);
    RaiseLastError();
  }
  return result;
}

std::unique_ptr<char[]> BstrToAnsi(BSTR text) {
  if (text == nullptr) return nullptr;
  const int characters = static_cast<int>(SysStringLen(text)) + 1;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, characters, nullptr, 0, nullptr, nullptr);
  if (bytes < 1) RaiseLastError();
  auto result = std::make_unique<char[]>(static_cast<std::size_t>(bytes));
  if (WideCharToMultiByte(CP_ACP, 0, text, characters, result.get(), bytes, nullptr, nullptr) !=
      bytes) {
    RaiseLastError();
  }
  return result;
}

}  // namespace kelvra::com
