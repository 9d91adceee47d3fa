// The add-in interface that Office calls on a COM add-in's connection object, in the
// order: OnConnection, (the ribbon), OnStartupComplete ... OnBeginShutdown,
// OnDisconnection. Its type library is described as version 1.0.
#pragma once

#include "com/comdef.h"
#include "com/safearray.h"

namespace AddInDesignerObjects {

inline constexpr GUID LIBID_AddInDesignerObjects{
    0xAC0714F2, 0x3D04, 0x11D1, {0xAE, 0x7D, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF4}};

enum ext_ConnectMode {
  ext_cm_AfterStartup = 0,
  ext_cm_Startup = 1,
  ext_cm_External = 2,
  ext_cm_CommandLine = 3,
};

enum ext_DisconnectMode {
  ext_dm_HostShutdown = 0,
  ext_dm_UserClosed = 1,
};

KELVRA_INTERFACE_IID(_IDTExtensibility2, 0xB65AD801, 0xABAF, 0x11D0, 0xBB, 0x8B, 0x00, 0xA0, 0xC9,
                     0x0F, 0x27, 0x44)

// custom may be NULL. Dispatch ids 1 to 5 in slot order.
struct _IDTExtensibility2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* Application,
                                                 ext_ConnectMode ConnectMode, IDispatch* AddInInst,
                                                 SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode RemoveMode,
                                                    SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;

 protected:
  ~_IDTExtensibility2() = default;
};

_COM_SMARTPTR_TYPEDEF(_IDTExtensibility2, __uuidof(_IDTExtensibility2));

inline constexpr const IID& IID__IDTExtensibility2 = __uuidof(_IDTExtensibility2);

}  // namespace AddInDesignerObjects
