// The profile items of the sync popup: one per profile of the Kelvra application,
// right after the hidden anchor item.
#include <string>
#include <vector>

#include "addin/CExplorer.h"
#include "addin/CLang.h"
#include "addin/EnumSyncProfiles.h"
#include "addin/LangFormat.h"
#include "addin/LogComError.h"

namespace {

std::string ParameterOf(Office::CommandBarControls* controls, int index) {
  const _bstr_t parameter = controls->GetItem(_variant_t(static_cast<long>(index)))->GetParameter();
  const char* text = parameter.length() > 0 ? static_cast<const char*>(parameter) : nullptr;
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

int CExplorer::AnchorIndex(Office::CommandBarControls* controls) {
  const int count = controls->GetCount();
  for (int index = 1; index <= count; ++index) {
    if (ParameterOf(controls, index) == kProfilePrefix) return index;
  }
  return 0;
}

void CExplorer::RebuildProfilesMenu() {
  if (m_syncPopup == nullptr) return;
  try {
    RebuildProfileItems();
  } catch (const _com_error& error) {
    LogComError("CExplorer::RebuildProfilesMenu", error);
  }
}

void CExplorer::RebuildProfileItems() {
  std::vector<std::string> names;
  std::vector<std::string> keys;
  EnumSyncProfiles(names, keys);
  const Office::CommandBarControlsPtr controls = m_syncPopup->GetControls();
  const int anchor = AnchorIndex(controls);
  if (anchor == 0) return;
  for (int index = controls->GetCount(); index > anchor; --index) {
    if (ParameterOf(controls, index).compare(0, kProfilePrefixLength, kProfilePrefix) == 0) {
      controls->GetItem(_variant_t(static_cast<long>(index)))->Delete();
    }
  }
  // The name is an argument of the translator's text, never a format of its own.
  const std::string format = g_Lang.GetText("IDS_BTN_SYNC_PROFILE");
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const std::string caption = FormatLangText(format, {names[k]});
    const ButtonLook look{.caption = caption.c_str(), .style = Office::msoButtonCaption};
    const std::string parameter = kProfilePrefix + keys[k];
    if (FAILED(AddTaggedItem(controls, anchor + 1 + static_cast<int>(k), look, parameter.c_str(),
                             false))) {
      return;
    }
  }
}
