// One watched folder of the item-share index: the caller's key, the MAPI folder and
// its store (entry ids as hexadecimal text), the message class it is restricted to
// (empty: every message), its number, and its items by entry id.
#pragma once

#include <string>

#include "sharestore/common/EntryTable.h"

struct MorvaneFolder {
  std::string key;
  std::string storeId;
  std::string folderId;
  std::string messageClass;
  unsigned number = 0;
  EntryTable items;
};
