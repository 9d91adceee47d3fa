#include "addin/RibbonControls.h"

#include "resource.h"
#include "win32/crt.h"

namespace {

constexpr RibbonControl kControls[] = {
    {"Ostrane.Kelvra.grp", "IDS_OL2010_GRP", nullptr, 0},
    {"Ostrane.Kelvra.btnExportC", "IDS_OL2010_BTN_EXPORTC", "IDS_OL2010_BTN_EXPORTC_TT",
     IDI_RIBBON_EXPORT_CONTACTS},
    {"Ostrane.Kelvra.btnImportC", "IDS_OL2010_BTN_IMPORTC", "IDS_OL2010_BTN_IMPORTC_TT",
     IDI_RIBBON_IMPORT_CONTACTS},
    {"Ostrane.Kelvra.btnExportA", "IDS_OL2010_BTN_EXPORTA", "IDS_OL2010_BTN_EXPORTA_TT",
     IDI_RIBBON_EXPORT_EVENTS},
    {"Ostrane.Kelvra.btnImportA", "IDS_OL2010_BTN_IMPORTA", "IDS_OL2010_BTN_IMPORTA_TT",
     IDI_RIBBON_IMPORT_EVENTS},
    {"Ostrane.Kelvra.mnu", "IDS_OL2010_MNU_SYNC_PROFILE", nullptr, IDI_SYNC},
    {"Ostrane.Kelvra.btnSyncAll", "IDS_OL2010_BTN_SYNC_ALL", "IDS_OL2010_BTN_SYNC_ALL_TT",
     IDI_SYNC},
    {"Ostrane.Kelvra.btnOpenKelvra", "IDS_OL2010_BTN_OPEN_Kelvra", "", 0},
    {"Ostrane.Kelvra.btnNewProfile", "IDS_OL2010_BTN_NEW_PROFILE", "", 0},
    {kProfilesMenuId, "IDS_OL2010_MNU_SYNC_PROFILE", nullptr, 0},
    {"Ostrane.Kelvra.mnuAbout", "IDS_OL2010_BTN_HELP", nullptr, 0},
    {"Ostrane.Kelvra.btnHelp", "IDS_OL2010_BTN_HELP", "", 0},
    {"Ostrane.Kelvra.btnAbout", "IDS_OL2010_BTN_ABOUT", "", 0},
};

}  // namespace

const RibbonControl* FindRibbonControl(const char* id) {
  for (const RibbonControl& control : kControls)
    if (_stricmp(control.id, id) == 0) return &control;
  return nullptr;
}
