// The text form in which the host keeps the registry between runs.
//
//   KELVRA REGISTRY 1
//   [HKEY_CURRENT_USER\Software\Ostrane\Kelvra]
//   "LANG"=1:454E00
//   "LogLevel"=4:01000000
//
// A line in brackets names a key by its full path (every key is listed, empty ones
// too); the value lines below it belong to it, in their order: the name in double
// quotes ("" is the default value), "=", the type as a decimal number, ":", and the
// data as hexadecimal bytes, so that every type and every byte (NULs included) comes
// back exactly. In key and value names, control bytes, bytes above 0x7E and the
// characters % " \ [ ] are written as %XX.
#pragma once

#include <string>

#include "registry/Registry.h"

namespace kelvra::platform {

class RegistryFile {
 public:
  static std::string Write(const Registry::Roots& roots);
  // Fills fresh roots; false, with nothing usable in them, on any malformed line.
  static bool Read(const std::string& text, Registry::Roots& roots);
};

}  // namespace kelvra::platform
