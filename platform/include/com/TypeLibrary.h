// Type libraries as descriptions: which interfaces a library holds and, for each, the
// members that IDispatch reaches by name and dispatch id. A module describes its
// library with a static LibraryRegistration; IDispatchImpl (atl/atlcom.h) answers
// GetIDsOfNames and Invoke from it, and registration records it under
// HKEY_CLASSES_ROOT:
//
//   const kelvra::typelib::Member kShapeMembers[] = {
//       KELVRA_DISP_METHOD(IShape, Sides, 1),
//   };
//   const kelvra::typelib::Interface kInterfaces[] = {
//       {&__uuidof(IShape), u"IShape", kShapeMembers}};
//   const kelvra::typelib::Library kLibrary{&LIBID_Shapes, 1, 0, u"ShapesLib",
//                                           u"Shapes 1.0 Type Library", kInterfaces};
//   kelvra::typelib::LibraryRegistration registration(kLibrary);
#pragma once

#include <span>

#include "com/DispatchArguments.h"
#include "com/dispatch.h"

#define DISP_E_UNKNOWNINTERFACE static_cast<HRESULT>(0x80020001u)

namespace kelvra::typelib {

// Calls the member on object (the interface the member belongs to).
using Invoker = HRESULT (*)(void* object, DISPPARAMS* params, VARIANT* result, UINT* argError);

struct Member {
  DISPID id;
  const char16_t* name;
  Invoker invoke;
};

struct Interface {
  const IID* iid;
  const char16_t* name;
  std::span<const Member> members;
};

struct Library {
  const GUID* libid;
  WORD major;
  WORD minor;
  const char16_t* name;
  // The text registration records for the library ("Kelvra 1.0 Type Library").
  const char16_t* helpString;
  std::span<const Interface> interfaces;
};

template <auto Method>
HRESULT InvokeMethod(void* object, DISPPARAMS* params, VARIANT* result, UINT* argError) {
  using Class = typename dispatch::MemberTraits<decltype(Method)>::Class;
  return dispatch::Invoke(static_cast<Class*>(object), Method, params, result, argError);
}

// Makes the library known to the process for the lifetime of the object (a static
// object of the module that holds it). The description is not copied.
class LibraryRegistration {
 public:
  explicit LibraryRegistration(const Library& library);
  ~LibraryRegistration();
  LibraryRegistration(const LibraryRegistration&) = delete;
  LibraryRegistration& operator=(const LibraryRegistration&) = delete;

 private:
  const Library& library_;
};

// IDispatch by the description of the interface iid in library (libid, major, minor).
// TYPE_E_LIBNOTREGISTERED when no such library is known, TYPE_E_ELEMENTNOTFOUND when it
// lacks the interface. Names compare without case; an unknown name gives
// DISPID_UNKNOWN and DISP_E_UNKNOWNNAME, as do parameter names (names after the first).
HRESULT GetIDsOfNames(const GUID& libid, WORD major, WORD minor, const IID& iid, LPOLESTR* names,
                      UINT count, DISPID* ids);
// DISP_E_MEMBERNOTFOUND for an unknown dispatch id or a call that is not a method
// call; DISP_E_UNKNOWNINTERFACE for a reserved IID other than IID_NULL.
HRESULT Invoke(const GUID& libid, WORD major, WORD minor, const IID& iid, void* object, DISPID id,
               REFIID reserved, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argError);

// Records the library (the version described) under HKEY_CLASSES_ROOT:
// "TypeLib\{libid}\<major>.<minor>" with
// the help string, "0\win32" = modulePath, "FLAGS" = "0", "HELPDIR" = the module's
// folder; "Interface\{iid}" = the interface's name with "ProxyStubClsid32" and
// "TypeLib" (and its "Version"). TYPE_E_LIBNOTREGISTERED for an unknown library; the
// registry's failure as an HRESULT.
HRESULT Register(const GUID& libid, const char* modulePath);
// Removes what Register wrote; "TypeLib\{libid}" goes when no other version is left.
HRESULT Unregister(const GUID& libid);

}  // namespace kelvra::typelib

// A member of a described interface, called by name and dispatch id.
#define KELVRA_DISP_METHOD(Itf, Name, Id) \
  ::kelvra::typelib::Member { Id, u"" #Name, &::kelvra::typelib::InvokeMethod<&Itf::Name> }
