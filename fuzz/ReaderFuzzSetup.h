// What the reader fuzz targets share: the add-in set up as in a real run (shipped
// encodings list, converter, log), and checksums that touch every byte of a parsed text.
#pragma once

#include <cstddef>
#include <string>

namespace fuzzsetup {

// Once per process: the module folder is resources/, the converter reads the shipped
// encodings list, and the log writes into a temporary folder removed at exit.
void SetUpAddin();

std::size_t Checksum(const std::u16string& text);
std::size_t Checksum(const std::string& text);

}  // namespace fuzzsetup
