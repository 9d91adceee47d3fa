// What the user gave an import action, seen as the import sees it: the files named, and
// the files of the folders named (not of their subfolders) with the import's extensions.
#pragma once

#include <string>
#include <vector>

namespace host {

// Those of the files that hold no begin line ("BEGIN:VCARD", "BEGIN:VEVENT"; in any case,
// 8-bit or UTF-16), in the order given; a folder's files with one of the extensions
// (".vcf"; compared without case) in name order.
std::vector<std::string> FilesWithout(const std::string& beginLine,
                                      const std::vector<std::string>& extensions,
                                      const std::vector<std::string>& linuxPaths);

}  // namespace host
