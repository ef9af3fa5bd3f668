// String resources of the POSIX layer: LoadStringA over the table that the
// build generates from the STRINGTABLE blocks of resources/quillon.rc
// (platform/internal/resource_strings.h).
//
// There is one module, so the instance handle is not looked at. Like Win32,
// an empty text counts as a missing string (the resource compiler does not
// store it). Less than Win32: a buffer size of 0, which LoadStringA does not
// support (the wide version hands out a pointer to the resource), returns 0
// and touches nothing.
#include <windows.h>

#include <string.h>

#include "platform/internal/resource_strings.h"

int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size) {
  if (!buffer || size <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (int i = 0; i < resourceStringCount; i++) {
    const ResourceString& entry = resourceStrings[i];
    if (entry.id != id || !entry.text || !*entry.text) continue;
    size_t length = strlen(entry.text);
    if (length > size_t(size - 1)) length = size_t(size - 1);
    memcpy(buffer, entry.text, length);
    buffer[length] = 0;
    return int(length);
  }
  buffer[0] = 0;
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return 0;
}
