// kelvra-host: the stand-in Outlook program that loads the Kelvra add-in and plays its user.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "AddInModule.h"
#include "Host.h"
#include "HostOutput.h"
#include "UsageText.h"

namespace {

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

std::string RuntimeFolder() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const host::HostOptions options =
        host::ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc),
                               {Environment("XDG_DATA_HOME"), Environment("HOME")});
    if (options.help) {
      host::PrintOut(options.action.empty()
                         ? host::UsageText()
                         : host::ActionUsageText(*host::FindAction(options.action)));
      return host::kCompleted;
    }
    if (options.version) {
      host::PrintOut(host::AddInModule(RuntimeFolder() + "/libKelvra.so").Version());
      return host::kCompleted;
    }
    return host::RunHost(options, RuntimeFolder());
  } catch (const host::UsageError& e) {
    host::PrintError(std::string(e.what()) +
                     " (usage: kelvra-host [options] ACTION [action options])");
    return host::kUsageError;
  } catch (const std::exception& e) {
    host::PrintError(e.what());
    return host::kCancelled;
  }
}
