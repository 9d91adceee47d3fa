// Writes the C++ source that registers a script's resources under a module name
// through win32/resources.h.
#pragma once

#include <string>

#include "ResourceScript.h"

namespace rcgen {

class CppEmitter {
 public:
  CppEmitter(std::string moduleName, std::string scriptName)
      : moduleName_(std::move(moduleName)), scriptName_(std::move(scriptName)) {}

  std::string emit(const ResourceScript& script) const;

  // A C++ string literal with the exact bytes: printable ASCII as is, the rest as
  // three-digit octal escapes, which cannot run into a following character. Literal
  // makes it a string_view, so that embedded NULs count.
  static std::string Quoted(const std::string& bytes);
  static std::string Literal(const std::string& bytes);

 private:
  std::string strings(const ResourceScript& script) const;
  std::string version(const VersionInfo& version) const;
  std::string dialogs(const ResourceScript& script) const;
  std::string images(const ResourceScript& script) const;
  std::string registryScripts(const ResourceScript& script) const;

  std::string moduleName_;
  std::string scriptName_;
};

}  // namespace rcgen
