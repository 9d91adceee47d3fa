// Where the Linux binaries behind the modules sit, as the dynamic loader knows them.
#pragma once

#include <string>

namespace kelvra::platform {

struct BinaryLocation {
  // The loader's record of the binary: the same for every address inside it and for
  // a handle dlopen gave for it. Null when the address is in no binary.
  const void* identity = nullptr;
  // Absolute Linux path of the binary file.
  std::string path;
};

BinaryLocation LocateBinary(const void* address);
const void* BinaryIdentity(void* loaderHandle);
BinaryLocation HostProgram();

}  // namespace kelvra::platform
