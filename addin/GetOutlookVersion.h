// The major version of the connected Outlook: 9 for Outlook 2000 up to 14 for 2010.
#pragma once

// Read from the application's version text once and cached; 0 for a text without a
// ".", and 0 without caching anything while no application is connected or its version
// cannot be read.
int GetOutlookVersion();

// The cached version, -1 until it has been read.
extern int g_nOutlookVersion;
