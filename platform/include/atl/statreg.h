// The registrar: registry scripts (.rgs text) applied to and removed from the registry.
//
//   HKCR
//   {
//     Shapes.Square.1 = s 'Square Class'
//     {
//       CLSID = s '{...}'
//     }
//     NoRemove CLSID
//     {
//       ForceRemove {...} = s 'Square Class'
//       {
//         InprocServer32 = s '%MODULE%'
//         {
//           val ThreadingModel = s 'Apartment'
//         }
//       }
//     }
//   }
//
// Roots: HKCR, HKCU, HKLM (or their HKEY_ names). A key is a bare word or a quoted
// name ('' inside quotes is one quote), optionally preceded by ForceRemove (deleted
// with everything below it before registering, and on removal), NoRemove (never
// deleted) or Delete (deleted on registering; nothing on removal); "= type 'data'"
// sets its default value; "val name = type 'data'" sets a value inside its braces.
// Types: s (REG_SZ), e (REG_EXPAND_SZ), d (REG_DWORD, decimal or 0x hex), b (REG_BINARY,
// hex digits). %NAME% is replaced by the replacement added for NAME (any case), %% is
// one %. Removal deletes the values a script names, each key it names unless NoRemove
// (a plain key only when no subkey is left in it), ForceRemove keys with all below.
//
// The whole script is read before the registry is touched: a malformed script (or an
// unknown replacement) changes nothing and is answered DISP_E_EXCEPTION.
#pragma once

#include <map>
#include <string>

#include "com/bstr.h"
#include "com/unknwn.h"

namespace ATL {

class CRegObject {
 public:
  // E_INVALIDARG for NULL texts.
  HRESULT AddReplacement(LPCOLESTR key, LPCOLESTR item);
  HRESULT ClearReplacements();

  HRESULT StringRegister(LPCOLESTR script);
  HRESULT StringUnregister(LPCOLESTR script);

 private:
  HRESULT Apply(LPCOLESTR script, bool reg);

  // Upper-case key to replacement, in the ANSI code page as the registry takes them.
  std::map<std::string, std::string> replacements_;
};

}  // namespace ATL
