// One encoding the add-in offers: the name the wizards show, the charset name the
// files carry and the Windows code page that converts it.
#pragma once

#include <string>

class EncodingEntry {
 public:
  EncodingEntry(const char* name, const char* charset, int codePage);

  // Shown in the Encoding combo boxes and kept in the pages' Encoding options.
  std::string Name;
  // Written after ";CHARSET=" and matched against the CHARSET parameter of a file.
  std::string Charset;
  // Never 0.
  int CodePage;
};
