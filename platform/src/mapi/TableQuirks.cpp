#include "mapi/TableQuirks.h"

namespace kelvra::mapi {

namespace {

struct State {
  std::mutex mutex;
  TableQuirks::Settings settings;
};

State& TheState() {
  static State state;
  return state;
}

}  // namespace

TableQuirks::Settings TableQuirks::Get() {
  std::lock_guard lock(TheState().mutex);
  return TheState().settings;
}

void TableQuirks::Set(const Settings& settings) {
  std::lock_guard lock(TheState().mutex);
  TheState().settings = settings;
}

}  // namespace kelvra::mapi
