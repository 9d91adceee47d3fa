// The fake open-file library Bruvel.dll, built into KELVRA_RUNTIME_DIR. A test makes
// it present by pointing the "Kelvra.dll" module folder there (testkit::SetModuleFolder).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace testkit {

struct BruvelCall {
  std::string initial;
  int maxLength = 0;
  std::string filter;
};

// What the dialog answers: one path, several in double quotes, or nullopt for Cancel
// (the default).
void SetBruvelAnswer(std::optional<std::string> answer);
// Every call of the library's export, in order.
std::vector<BruvelCall> BruvelCalls();
// How often the library was loaded and unloaded.
int BruvelLoads();
int BruvelUnloads();
void ResetBruvel();

}  // namespace testkit
