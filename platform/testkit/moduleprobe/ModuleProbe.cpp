// The probe library: one string resource, an export, and a DllMain that reports each
// call as "ModuleProbe <reason> <its own file name>" through OutputDebugStringA. It
// refuses to load while the environment holds KELVRA_PROBE_REFUSE.
#include <cstdlib>
#include <string>

#include "win32/module.h"
#include "win32/resources.h"

namespace {

using namespace std::string_view_literals;

constexpr kelvra::resources::StringResource kStrings[] = {{7, "probe text"sv}};

const kelvra::resources::ModuleRegistration kRegistration({
    .name = "ModuleProbe.dll",
    .anchor = kStrings,
    .strings = kStrings,
});

}  // namespace

extern "C" int ModuleProbeAnswer() { return 42; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  char name[MAX_PATH];
  DWORD length = GetModuleFileNameA(instance, name, sizeof name);
  std::string report = "ModuleProbe " + std::to_string(reason) + " " + std::string(name, length);
  OutputDebugStringA(report.c_str());
  return reason == DLL_PROCESS_ATTACH && std::getenv("KELVRA_PROBE_REFUSE") != nullptr ? FALSE
                                                                                       : TRUE;
}
