#include "addin/ReceivedCommand.h"

#include "win32/crt.h"

namespace {

struct KnownCommand {
  const char* function;
  const char* argument;  // null: any argument, or none
  LinkRequest request;
};

constexpr KnownCommand kKnownCommands[] = {
    {"ShowForm", "SelectAction", LinkRequest::kSelectAction},
    {"ShowForm", "ExportContacts", LinkRequest::kExportContacts},
    {"ShowForm", "ImportContacts", LinkRequest::kImportContacts},
    {"ShowForm", "ExportEvents", LinkRequest::kExportEvents},
    {"ShowForm", "ImportEvents", LinkRequest::kImportEvents},
    {"ProfilesChanged", nullptr, LinkRequest::kProfilesChanged},
};

bool Matches(const KnownCommand& known, const std::string& function, const std::string* argument) {
  if (_stricmp(known.function, function.c_str()) != 0) return false;
  if (!known.argument) return true;
  return argument && _stricmp(known.argument, argument->c_str()) == 0;
}

}  // namespace

ReceivedCommand ParseReceivedCommand(const std::string& text) {
  ReceivedCommand command;
  size_t comma = text.find(',');
  command.function = text.substr(0, comma);
  std::string argument;
  if (comma != std::string::npos) argument = text.substr(comma + 1);
  const std::string* given = comma != std::string::npos ? &argument : nullptr;
  for (const KnownCommand& known : kKnownCommands) {
    if (Matches(known, command.function, given)) {
      command.request = known.request;
      break;
    }
  }
  return command;
}
