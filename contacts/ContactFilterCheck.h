// The private-contact and category rules of a ContactFilter, shared by the export and
// the import run. The contact's values are asked for only when a rule needs them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "contacts/ContactFilter.h"

class ContactFilterCheck {
 public:
  // True when the contact is to be taken. sensitivity answers the OlSensitivity,
  // categories the contact's categories text; function tags the warning about an
  // empty category option.
  static bool Accepts(const ContactFilter& filter, const std::function<long()>& sensitivity,
                      const std::function<std::string()>& categories, const char* function);

  // The names of a categories text: split at the user's list separator and at ";",
  // each trimmed of blanks, empty ones left out.
  static std::vector<std::string> SplitCategories(const std::string& text);
};
