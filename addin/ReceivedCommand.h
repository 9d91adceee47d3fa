// A command the Kelvra application sent to the add-in, split and looked up in the
// table of commands the add-in understands.
#pragma once

#include <string>

enum class LinkRequest {
  kSelectAction,
  kExportContacts,
  kImportContacts,
  kExportEvents,
  kImportEvents,
  kProfilesChanged,
  kUnknown,
};

struct ReceivedCommand {
  LinkRequest request = LinkRequest::kUnknown;
  // The text before the first ",", or the whole text.
  std::string function;
};

// Function and argument are compared without regard to case. "ShowForm" needs one of
// its known arguments; "ProfilesChanged" takes any argument or none.
ReceivedCommand ParseReceivedCommand(const std::string& text);
