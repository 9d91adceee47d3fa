#include "atl/DispEvent.h"

namespace kelvra::atl {

namespace {

bool Matches(VARTYPE expected, const VARIANT& argument) {
  if (expected == VT_VARIANT) return true;
  if (argument.vt == expected) return true;
  // An object argument may come as either kind of interface pointer.
  const VARTYPE objects[] = {VT_DISPATCH, VT_UNKNOWN};
  for (VARTYPE a : objects) {
    for (VARTYPE b : objects) {
      if (expected == a && argument.vt == b) return true;
    }
  }
  return false;
}

}  // namespace

HRESULT CheckArguments(const _ATL_FUNC_INFO& info, const DISPPARAMS* params) {
  const UINT given = params != nullptr ? params->cArgs : 0;
  if (info.nParams < 0 || info.nParams > _ATL_MAX_VARTYPES ||
      given != static_cast<UINT>(info.nParams)) {
    return DISP_E_BADPARAMCOUNT;
  }
  for (UINT i = 0; i < given; ++i) {
    // Arguments arrive last first.
    if (!Matches(info.pVarTypes[i], params->rgvarg[given - 1 - i])) return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

}  // namespace kelvra::atl
