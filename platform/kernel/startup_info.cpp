// The process's start-up record, module handle and arguments for the POSIX
// layer: GetStartupInfoA, GetModuleHandleA, GetEnvironmentVariableA, and the
// runtime's __argc and __argv, which the start-up code (crt_main.cpp) sets.
//
// A POSIX process gets no window placement or show state from its starter,
// so GetStartupInfoA reports none (dwFlags 0, and the entry code then uses
// SW_SHOWDEFAULT), and its standard handles are null: the layer has no file
// handles. The program is the only module: GetModuleHandleA(NULL) gives a
// fixed, non-null handle, and any module name fails with
// ERROR_MOD_NOT_FOUND, which is less than Win32 (where the program's own
// file name and the system DLLs are found).
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "platform/internal/diagnostics.h"

int __argc = 0;
char** __argv = nullptr;

namespace {

// Where 32-bit Windows loads a program's image: a plausible, non-null value.
const ULONG_PTR kModuleHandle = 0x00400000;

}  // namespace

void WINAPI GetStartupInfoA(LPSTARTUPINFOA info) {
  if (!info) return;
  memset(info, 0, sizeof *info);
  info->cb = sizeof *info;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  if (!moduleName) return reinterpret_cast<HMODULE>(kModuleHandle);
  layerDiagnostic("kernel", "GetModuleHandleA(\"%s\"): the layer knows no other modules",
                  moduleName);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

// The value and its length without the terminating zero; when `size` is too
// small, nothing is copied and the size it needs (with the zero) comes back.
DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = name ? getenv(name) : nullptr;
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  DWORD length = DWORD(strlen(value));
  if (!buffer || size <= length) return length + 1;
  memcpy(buffer, value, length + 1);
  return length;
}
