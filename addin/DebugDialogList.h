// The dialogs the debug dialog offers, in the order of its list, each with the function
// that shows it with sample values instead of a conversion behind it.
#pragma once

#include <span>

#include "outlook/outlook.h"
#include "win32/base.h"

// What a show function works with.
struct DebugShowContext {
  // The owner of a modal page: the active window.
  HWND parent;
  // The debug dialog itself, under which a progress dialog stands.
  HWND debugDialog;
  // Borrowed, may be null.
  Outlook::_Application* app;
  // The open options key, lent to the pages that read and write their options.
  HKEY* optionsKey;
};

using DebugShowFunction = void (*)(const DebugShowContext& context, WORD dialogId);

struct DebugDialogEntry {
  WORD id;
  // The resource symbol, as the list shows it.
  const char* symbol;
  // Null for a dialog this build does not have yet.
  DebugShowFunction show;
};

std::span<const DebugDialogEntry> DebugDialogList();
// The entry of that dialog id; null when the list has none.
const DebugDialogEntry* FindDebugDialog(WORD id);
