// The library's module: its resources, its handle and its log, made in this order
// when the library loads.
#include "sharestore/common/CLog.h"
#include "sharestore/common/LibraryModule.h"

namespace {

const kelvra::resources::ModuleRegistration kRegistration(LibraryModuleResources("Morvane.dll"));

}  // namespace

HMODULE g_hModule = kRegistration.module();
CLog g_Log;
