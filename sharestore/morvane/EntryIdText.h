// Entry ids between their binary form and the hexadecimal text the index keeps: two
// digits a byte, upper case on output, either case on input.
#pragma once

#include <string>
#include <string_view>

#include "sharestore/morvane/MapiOwners.h"

struct BinaryEntryId {
  ULONG size = 0;
  MapiBuffer<ENTRYID> bytes;
};

class EntryIdText {
 public:
  // Decodes whole pairs of digits into a MAPI buffer. A character that is not a
  // hexadecimal digit, or an odd digit left at the end, is reported on the debugger
  // output; the odd digit is dropped. The allocation's failure otherwise.
  static SCODE ToBinary(std::string_view text, BinaryEntryId& id);
  static std::string ToText(const BYTE* bytes, ULONG size);
};
