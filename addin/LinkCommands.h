// The commands the add-in sends to the Kelvra application, with how each is sent, and
// the help topics of the application's help that the dialogs ask for.
#pragma once

#include "win32/base.h"

// A fixed command: the text, whether the application's window is brought to the front
// first, and how long to wait for the window when the application has to start.
struct LinkCommand {
  const char* text;
  bool foreground;
  DWORD timeout;
};

namespace link_commands {

inline constexpr LinkCommand kShowWelcome{"ShowForm,Welcome", false, 30000};
inline constexpr LinkCommand kShowMain{"ShowForm,Main", true, 5000};
inline constexpr LinkCommand kSyncAll{"SyncAll", false, 5000};
inline constexpr LinkCommand kNewProfile{"NewProfile", true, 5000};
inline constexpr LinkCommand kShowAbout{"ShowForm,About", true, 5000};
inline constexpr LinkCommand kShowHelp{"ShowContextHelp", false, 5000};
// "Sync,<profile key>" for a profile, "Sync" alone when the key is empty.
inline constexpr LinkCommand kSync{"Sync", false, 5000};
// "ShowContextHelp,<topic>".
inline constexpr LinkCommand kShowContextHelp{"ShowContextHelp", false, 5000};

}  // namespace link_commands

namespace help_topics {

inline constexpr const char* kFeatures = "Features.htm";
inline constexpr const char* kExportContacts = "Export_Contacts_to_Files_with_Kelvra.htm";
inline constexpr const char* kImportContacts = "Import_Contacts_from_Files_with_Kelvra.htm";
inline constexpr const char* kExportEvents = "Export_Calendar_Events_to_Files_with_Kelvra.htm";
inline constexpr const char* kImportEvents = "impord_cal.htm";
inline constexpr const char* kItemSkipping = "Item_Skipping_during_Import_Export.htm";

}  // namespace help_topics
