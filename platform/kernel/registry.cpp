// Registry read calls of the POSIX layer: RegOpenKeyA, RegQueryValueExA and
// RegCloseKey, over the registry file in the Windows directory
// (registry_file.h). Every call reads the file afresh, so a change to it is
// seen at once, as a change to the registry is on Windows.
//
// Less than Win32: the registry is read only (there is no RegSetValueExA or
// RegCreateKeyA), and security is not checked.
#include <windows.h>

#include <string.h>

#include <string>

#include "platform/internal/trace.h"
#include "platform/kernel/kernel_handles.h"
#include "platform/kernel/registry_file.h"

namespace {

struct Root {
  HKEY key;
  const char* name;
};

const Root kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
};

const char* rootName(HKEY key) {
  for (const Root& root : kRoots)
    if (root.key == key) return root.name;
  return nullptr;
}

// The full path of an open or predefined key; false for an invalid handle.
bool keyPath(HKEY key, std::string* path) {
  if (const char* root = rootName(key)) {
    *path = root;
    return true;
  }
  void* object = kernelHandleObject(key, KernelObjectKind::RegistryKey);
  if (!object) return false;
  *path = *static_cast<std::string*>(object);
  return true;
}

void releaseKey(void* object) { delete static_cast<std::string*>(object); }

}  // namespace

LONG WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  std::string path;
  if (!keyPath(key, &path)) return ERROR_INVALID_HANDLE;
  // As documented for RegOpenKeyA: no sub-key gives back the same handle.
  if (!subKey || !*subKey) {
    *result = key;
    return ERROR_SUCCESS;
  }
  path += "\\";
  path += subKey;
  *result = nullptr;
  if (!registryKeyExists(loadRegistry(), path)) return ERROR_FILE_NOT_FOUND;
  HANDLE handle = addKernelHandle(KernelObjectKind::RegistryKey, new std::string(path), releaseKey);
  *result = static_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                             LPBYTE data, LPDWORD dataSize) {
  std::string path;
  if (!keyPath(key, &path)) return ERROR_INVALID_HANDLE;
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  const std::string name = valueName ? valueName : "";
  RegistryDocument doc = loadRegistry();
  const RegistryValue* value = findRegistryValue(doc, path, name);
  LONG status = ERROR_SUCCESS;
  if (!value) {
    status = ERROR_FILE_NOT_FOUND;
  } else {
    DWORD needed = DWORD(value->data.size());
    if (type) *type = value->type;
    if (data && *dataSize < needed)
      status = ERROR_MORE_DATA;
    else if (data)
      memcpy(data, value->data.data(), needed);
    if (dataSize) *dataSize = needed;
  }
  if (traceEnabled()) traceEvent("regqueryvalue %s %s %ld", path.c_str(), name.c_str(), long(status));
  return status;
}

LONG WINAPI RegCloseKey(HKEY key) {
  if (rootName(key)) return ERROR_SUCCESS;
  if (!kernelHandleObject(key, KernelObjectKind::RegistryKey)) return ERROR_INVALID_HANDLE;
  CloseHandle(key);
  return ERROR_SUCCESS;
}
