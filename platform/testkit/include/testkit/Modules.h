// Controls over the stand-in's modules.
#pragma once

#include <string>

namespace testkit {

// Moves a module (by file name, any case, such as "Kelvra.dll") to another Windows
// folder: GetModuleFileNameA answers "<windowsFolder>\<name>" and the version calls
// take that name. Holds for a module registered or loaded later too; "" moves it back
// to the folder of its binary.
void SetModuleFolder(const char* moduleName, std::string windowsFolder);

// While set, GetFileVersionInfoSizeA and GetFileVersionInfoA fail with
// ERROR_RESOURCE_TYPE_NOT_FOUND for every module.
void FailVersionInfo(bool fail);

}  // namespace testkit
