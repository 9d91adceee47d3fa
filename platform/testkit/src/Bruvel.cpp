#include "testkit/Bruvel.h"

#include "bruvel/OpenFileScript.h"

namespace testkit {

using kelvra::platform::OpenFileScript;

void SetBruvelAnswer(std::optional<std::string> answer) {
  OpenFileScript::Instance().SetAnswer(std::move(answer));
}

std::vector<BruvelCall> BruvelCalls() {
  std::vector<BruvelCall> calls;
  for (const auto& c : OpenFileScript::Instance().Calls())
    calls.push_back(BruvelCall{c.initial, c.maxLength, c.filter});
  return calls;
}

int BruvelLoads() { return OpenFileScript::Instance().Attaches(); }

int BruvelUnloads() { return OpenFileScript::Instance().Detaches(); }

void ResetBruvel() { OpenFileScript::Instance().Reset(); }

}  // namespace testkit
