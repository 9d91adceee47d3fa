// Owners of what MAPI hands out: buffers freed with MAPIFreeBuffer, row sets freed
// with FreeProws. (Objects are held in CComPtr.)
#pragma once

#include <memory>

#include "mapi/mapix.h"

struct MapiBufferFree {
  void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};
struct MapiRowsFree {
  void operator()(SRowSet* rows) const { FreeProws(rows); }
};

template <class T>
using MapiBuffer = std::unique_ptr<T, MapiBufferFree>;
using MapiRows = std::unique_ptr<SRowSet, MapiRowsFree>;
