#include "atl/RegistryScriptWriter.h"

#include "com/RegistryEdit.h"

namespace kelvra::atl {

namespace {

using com::RegistryEdit;

std::string PathOf(const std::string& parent, const ScriptKey& key) {
  return parent.empty() ? key.name : parent + "\\" + key.name;
}

}  // namespace

HRESULT RegistryScriptWriter::Register(const std::vector<ScriptRoot>& roots) {
  for (const ScriptRoot& root : roots) {
    for (const ScriptKey& key : root.keys) {
      const LONG result = RegisterKey(root.root, "", key);
      if (result != ERROR_SUCCESS) return com::RegistryResult(result);
    }
  }
  return S_OK;
}

HRESULT RegistryScriptWriter::Unregister(const std::vector<ScriptRoot>& roots) {
  for (const ScriptRoot& root : roots) {
    for (const ScriptKey& key : root.keys) {
      const LONG result = UnregisterKey(root.root, "", key);
      if (result != ERROR_SUCCESS) return com::RegistryResult(result);
    }
  }
  return S_OK;
}

LONG RegistryScriptWriter::RegisterKey(HKEY root, const std::string& parent, const ScriptKey& key) {
  const std::string path = PathOf(parent, key);
  if (key.flag == ScriptKey::Flag::kDelete) return RegistryEdit::DeleteTree(root, path);
  if (key.flag == ScriptKey::Flag::kForceRemove) {
    const LONG removed = RegistryEdit::DeleteTree(root, path);
    if (removed != ERROR_SUCCESS) return removed;
  }
  LONG result = RegistryEdit::CreateKey(root, path);
  for (const ScriptValue& value : key.values) {
    if (result != ERROR_SUCCESS) return result;
    result = RegistryEdit::SetValue(root, path, value.name, value.type, value.data);
  }
  for (const ScriptKey& subkey : key.subkeys) {
    if (result != ERROR_SUCCESS) return result;
    result = RegisterKey(root, path, subkey);
  }
  return result;
}

LONG RegistryScriptWriter::UnregisterKey(HKEY root, const std::string& parent,
                                         const ScriptKey& key) {
  const std::string path = PathOf(parent, key);
  switch (key.flag) {
    case ScriptKey::Flag::kDelete:
      return ERROR_SUCCESS;
    case ScriptKey::Flag::kForceRemove:
      return RegistryEdit::DeleteTree(root, path);
    case ScriptKey::Flag::kNone:
    case ScriptKey::Flag::kNoRemove:
      break;
  }
  if (!RegistryEdit::Exists(root, path)) return ERROR_SUCCESS;
  for (const ScriptKey& subkey : key.subkeys) {
    const LONG result = UnregisterKey(root, path, subkey);
    if (result != ERROR_SUCCESS) return result;
  }
  // The script's named values go; a NoRemove key stays, and so does a plain key that
  // still holds subkeys the script does not name.
  for (const ScriptValue& value : key.values) {
    if (value.name.empty()) continue;
    const LONG result = RegistryEdit::DeleteValue(root, path, value.name);
    if (result != ERROR_SUCCESS) return result;
  }
  if (key.flag == ScriptKey::Flag::kNoRemove) return ERROR_SUCCESS;
  return RegistryEdit::DeleteIfLeaf(root, path);
}

}  // namespace kelvra::atl
