#include "mapi/MapiMemory.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "mapi/mapix.h"
#include "store/FaultPlan.h"

namespace kelvra::mapi {

namespace {

// Sits in front of every block; keeps the block's payload aligned for any value.
struct alignas(std::max_align_t) BlockHeader {
  BlockHeader* more;  // the blocks allocated more to this one (a buffer's chain)
  bool root;
};

std::atomic<std::size_t> g_liveBlocks{0};

BlockHeader* HeaderOf(void* payload) { return static_cast<BlockHeader*>(payload) - 1; }

void* NewBlock(ULONG size, bool root) {
  void* raw = std::malloc(sizeof(BlockHeader) + size);
  if (raw == nullptr) return nullptr;
  auto* header = new (raw) BlockHeader{nullptr, root};
  ++g_liveBlocks;
  return header + 1;
}

void FreeBlock(BlockHeader* header) {
  header->~BlockHeader();
  std::free(header);
  --g_liveBlocks;
}

}  // namespace

std::size_t MapiMemory::LiveBlocks() { return g_liveBlocks.load(); }

}  // namespace kelvra::mapi

using kelvra::mapi::BlockHeader;
using kelvra::mapi::FreeBlock;
using kelvra::mapi::HeaderOf;
using kelvra::mapi::NewBlock;

SCODE WINAPI MAPIAllocateBuffer(ULONG size, LPVOID* buffer) {
  if (buffer == nullptr) return MAPI_E_INVALID_PARAMETER;
  *buffer = nullptr;
  HRESULT hr = S_OK;
  if (kelvra::store::FaultPlan::Hit("MAPIAllocateBuffer", &hr)) return hr;
  *buffer = NewBlock(size, true);
  return *buffer != nullptr ? S_OK : MAPI_E_NOT_ENOUGH_MEMORY;
}

SCODE WINAPI MAPIAllocateMore(ULONG size, LPVOID parent, LPVOID* buffer) {
  if (buffer == nullptr || parent == nullptr) return MAPI_E_INVALID_PARAMETER;
  *buffer = nullptr;
  HRESULT hr = S_OK;
  if (kelvra::store::FaultPlan::Hit("MAPIAllocateMore", &hr)) return hr;
  void* block = NewBlock(size, false);
  if (block == nullptr) return MAPI_E_NOT_ENOUGH_MEMORY;
  BlockHeader* owner = HeaderOf(parent);
  HeaderOf(block)->more = owner->more;
  owner->more = HeaderOf(block);
  *buffer = block;
  return S_OK;
}

ULONG WINAPI MAPIFreeBuffer(LPVOID buffer) {
  if (buffer == nullptr) return S_OK;
  BlockHeader* header = HeaderOf(buffer);
  // Freeing a block given by MAPIAllocateMore on its own is a caller's fault that the
  // chain of its buffer would free a second time; it is refused.
  if (!header->root) return static_cast<ULONG>(MAPI_E_INVALID_PARAMETER);
  while (header != nullptr) {
    BlockHeader* next = header->more;
    FreeBlock(header);
    header = next;
  }
  return S_OK;
}

void WINAPI FreeProws(LPSRowSet rows) {
  if (rows == nullptr) return;
  for (ULONG i = 0; i < rows->cRows; ++i) MAPIFreeBuffer(rows->aRow[i].lpProps);
  MAPIFreeBuffer(rows);
}
