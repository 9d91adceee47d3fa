#include "testkit/Modules.h"

#include "module/ModuleTable.h"

namespace testkit {

using kelvra::platform::ModuleTable;

void SetModuleFolder(const char* moduleName, std::string windowsFolder) {
  ModuleTable::Instance().SetFolder(moduleName != nullptr ? moduleName : "", windowsFolder);
}

void FailVersionInfo(bool fail) { ModuleTable::Instance().FailVersionInfo(fail); }

}  // namespace testkit
