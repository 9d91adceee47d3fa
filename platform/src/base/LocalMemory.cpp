#include <cstdlib>

#include "win32/base.h"

// Fixed blocks only: the system never asks for movable memory, and the pointer is the
// handle. A zero-byte request still gets a block of its own, as on Windows.
HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  const SIZE_T size = bytes == 0 ? 1 : bytes;
  void* block = (flags & LMEM_ZEROINIT) != 0 ? std::calloc(1, size) : std::malloc(size);
  if (block == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL mem) {
  std::free(mem);
  return nullptr;
}
