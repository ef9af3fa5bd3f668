// The process's start-up record and module handle for the POSIX layer:
// GetStartupInfoA and GetModuleHandleA.
//
// A POSIX process gets no window placement or show state from its starter,
// so GetStartupInfoA reports none (dwFlags 0, and the entry code then uses
// SW_SHOWDEFAULT), and its standard handles are null: the layer has no file
// handles. The program is the only module: GetModuleHandleA(NULL) gives a
// fixed, non-null handle, and any module name fails with
// ERROR_MOD_NOT_FOUND, which is less than Win32 (where the program's own
// file name and the system DLLs are found).
#include <windows.h>

#include <stdio.h>
#include <string.h>

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
  fprintf(stderr, "quillon: GetModuleHandleA(\"%s\"): the layer knows no other modules\n",
          moduleName);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}
