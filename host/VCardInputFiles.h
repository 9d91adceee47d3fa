// What the user gave import-contacts, seen as the import sees it: the files named, and
// the .vcf files of the folders named (not of their subfolders).
#pragma once

#include <string>
#include <vector>

namespace host {

// Those of the files that hold no "BEGIN:VCARD" (in any case, 8-bit or UTF-16), in the
// order given; a folder's files in name order.
std::vector<std::string> VCardFilesWithoutCards(const std::vector<std::string>& linuxPaths);

}  // namespace host
