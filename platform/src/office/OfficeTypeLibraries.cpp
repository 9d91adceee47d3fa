// The type libraries of Office that an add-in's dual interfaces name, described so that
// their IDispatch answers by name.
#include "com/TypeLibrary.h"
#include "office/office.h"

namespace {

using AddInDesignerObjects::_IDTExtensibility2;
using Office::IRibbonControl;
using Office::IRibbonExtensibility;
using Office::IRibbonUI;

const kelvra::typelib::Member kExtensibilityMembers[] = {
    KELVRA_DISP_METHOD(_IDTExtensibility2, OnConnection, 1),
    KELVRA_DISP_METHOD(_IDTExtensibility2, OnDisconnection, 2),
    KELVRA_DISP_METHOD(_IDTExtensibility2, OnAddInsUpdate, 3),
    KELVRA_DISP_METHOD(_IDTExtensibility2, OnStartupComplete, 4),
    KELVRA_DISP_METHOD(_IDTExtensibility2, OnBeginShutdown, 5),
};

const kelvra::typelib::Interface kAddInInterfaces[] = {
    {&__uuidof(_IDTExtensibility2), u"_IDTExtensibility2", kExtensibilityMembers},
};

const kelvra::typelib::Library kAddInLibrary{&AddInDesignerObjects::LIBID_AddInDesignerObjects,
                                             1,
                                             0,
                                             u"AddInDesignerObjects",
                                             u"Microsoft Add-In Designer",
                                             kAddInInterfaces};

const kelvra::typelib::Member kRibbonExtensibilityMembers[] = {
    KELVRA_DISP_METHOD(IRibbonExtensibility, GetCustomUI, 1),
};

const kelvra::typelib::Member kRibbonUIMembers[] = {
    KELVRA_DISP_METHOD(IRibbonUI, Invalidate, 1),
    KELVRA_DISP_METHOD(IRibbonUI, InvalidateControl, 2),
};

const kelvra::typelib::Interface kOfficeInterfaces[] = {
    {&__uuidof(IRibbonExtensibility), u"IRibbonExtensibility", kRibbonExtensibilityMembers},
    {&__uuidof(IRibbonUI), u"IRibbonUI", kRibbonUIMembers},
};

const kelvra::typelib::Library kOfficeLibrary{
    &Office::LIBID_Office, 2, 5, u"Office", u"Microsoft Office 14.0 Object Library",
    kOfficeInterfaces};

const kelvra::typelib::LibraryRegistration kAddInRegistration(kAddInLibrary);
const kelvra::typelib::LibraryRegistration kOfficeRegistration(kOfficeLibrary);

}  // namespace
