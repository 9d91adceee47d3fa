// BSTR allocation: [UINT byte length][characters][NUL], the BSTR pointing at the
// characters.
#include "com/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kPrefix = sizeof(UINT);
// Room for a NUL character behind the text even when its byte length is odd.
constexpr std::size_t kTerminator = 2 * sizeof(OLECHAR);

BSTR Allocate(const void* bytes, std::size_t count) {
  if (count > std::numeric_limits<UINT>::max()) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + count + kTerminator));
  if (block == nullptr) return nullptr;
  const UINT length = static_cast<UINT>(count);
  std::memcpy(block, &length, kPrefix);
  unsigned char* text = block + kPrefix;
  if (bytes != nullptr) {
    std::memcpy(text, bytes, count);
  } else {
    std::memset(text, 0, count);
  }
  std::memset(text + count, 0, kTerminator);
  return reinterpret_cast<BSTR>(text);
}

unsigned char* Block(BSTR text) { return reinterpret_cast<unsigned char*>(text) - kPrefix; }

std::size_t Length(const OLECHAR* text) {
  std::size_t length = 0;
  while (text[length] != u'\0') ++length;
  return length;
}

}  // namespace

BSTR WINAPI SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return Allocate(text, Length(text) * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length) {
  return Allocate(text, std::size_t{length} * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringByteLen(LPCSTR text, UINT bytes) { return Allocate(text, bytes); }

INT WINAPI SysReAllocString(BSTR* target, const OLECHAR* text) {
  if (target == nullptr) return FALSE;
  // Allocated before the old one is freed: text may point into it.
  BSTR copy = text != nullptr ? SysAllocString(text) : SysAllocStringLen(nullptr, 0);
  if (copy == nullptr) return FALSE;
  SysFreeString(*target);
  *target = copy;
  return TRUE;
}

void WINAPI SysFreeString(BSTR text) {
  if (text != nullptr) std::free(Block(text));
}

UINT WINAPI SysStringByteLen(BSTR text) {
  if (text == nullptr) return 0;
  UINT length = 0;
  std::memcpy(&length, Block(text), kPrefix);
  return length;
}

UINT WINAPI SysStringLen(BSTR text) {
  return SysStringByteLen(text) / static_cast<UINT>(sizeof(OLECHAR));
}
