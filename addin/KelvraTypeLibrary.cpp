// The description of the add-in's type library: registration records it, and the
// dual interface IKelvra answers Office's calls by name from it.
#include "addin/IKelvra.h"
#include "com/TypeLibrary.h"

namespace {

const kelvra::typelib::Member kKelvraMembers[] = {
    KELVRA_DISP_METHOD(IKelvra, Button_OnAction, 1),
    KELVRA_DISP_METHOD(IKelvra, Control_GetScreentip, 2),
    KELVRA_DISP_METHOD(IKelvra, Control_GetImage, 3),
    KELVRA_DISP_METHOD(IKelvra, Control_GetLabel, 4),
    KELVRA_DISP_METHOD(IKelvra, RibbonUI_OnLoad, 5),
    KELVRA_DISP_METHOD(IKelvra, Control_GetEnabled, 6),
    KELVRA_DISP_METHOD(IKelvra, DynamicMenu_GetContent, 7),
};

const kelvra::typelib::Interface kInterfaces[] = {
    {&__uuidof(IKelvra), u"IKelvra", kKelvraMembers},
};

const kelvra::typelib::Library kLibrary{&LIBID_KelvraLib,           1,          0, u"KelvraLib",
                                        u"Kelvra 1.0 Type Library", kInterfaces};

const kelvra::typelib::LibraryRegistration kRegistration(kLibrary);

}  // namespace
