// IDispatch over type-library descriptions.
#include <string_view>

#include "com/TypeLibraries.h"

namespace kelvra::typelib {

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

HRESULT FindInterface(const GUID& libid, WORD major, WORD minor, const IID& iid,
                      const Interface*& found) {
  const Library* library = com::TypeLibraries::Instance().Find(libid, major, minor);
  if (library == nullptr) return TYPE_E_LIBNOTREGISTERED;
  for (const Interface& each : library->interfaces) {
    if (*each.iid == iid) {
      found = &each;
      return S_OK;
    }
  }
  return TYPE_E_ELEMENTNOTFOUND;
}

}  // namespace

HRESULT GetIDsOfNames(const GUID& libid, WORD major, WORD minor, const IID& iid, LPOLESTR* names,
                      UINT count, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  const Interface* described = nullptr;
  const HRESULT found = FindInterface(libid, major, minor, iid, described);
  if (FAILED(found)) return found;
  if (count == 0) return S_OK;
  if (names[0] == nullptr) return DISP_E_UNKNOWNNAME;
  for (const Member& member : described->members) {
    if (SameName(member.name, names[0])) {
      ids[0] = member.id;
      // Parameter names are not described.
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT Invoke(const GUID& libid, WORD major, WORD minor, const IID& iid, void* object, DISPID id,
               REFIID reserved, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argError) {
  if (!(reserved == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  const Interface* described = nullptr;
  const HRESULT found = FindInterface(libid, major, minor, iid, described);
  if (FAILED(found)) return found;
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  for (const Member& member : described->members) {
    if (member.id == id) return member.invoke(object, params, result, argError);
  }
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace kelvra::typelib
