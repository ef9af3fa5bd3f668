// settingsPath and settingsFallbackPath: the settings file in the Windows
// directory, and the 64-bit Windows build's VirtualStore copy of it.
//
// A user without administrator rights cannot write C:\Windows. Windows
// redirects a 32-bit program's writes there into the user's VirtualStore
// (%LOCALAPPDATA%\VirtualStore\Windows\quillonscr.ini, a copy of the
// original made at the first write) and its reads too once that copy
// exists; it never does so for a 64-bit program. So the 64-bit build does
// exactly that itself, and both builds share one file. The 32-bit build
// gets it from Windows, and the Linux build's Windows directory is the
// user's own folder: for them the file is simply the Windows directory's.
#include "settings/settings_location.h"

#include <windows.h>

#include <string.h>

namespace {

const char* const fileName = "quillonscr.ini";

// The Windows directory, a backslash unless it already ends in one, and the
// file name. When the directory cannot be had in 200 bytes the bare file
// name is used, which the private-profile functions look up in the Windows
// directory themselves.
void windowsDirectoryPath(char path[256]) {
  memset(path, 0, 256);
  UINT length = GetWindowsDirectoryA(path, 200);
  if (length == 0 || length >= 200) {
    memset(path, 0, 256);
  } else if (path[length - 1] != '\\') {
    path[length] = '\\';
  }
  strcat(path, fileName);
}

}  // namespace

// The one place where the builds differ: only a 64-bit Windows program has
// to redirect its own settings.
#if defined(_WIN64)

namespace {

// %LOCALAPPDATA%\VirtualStore followed by the Windows directory's path
// without its drive ("C:\Windows\quillonscr.ini" gives
// "...\VirtualStore\Windows\quillonscr.ini"); false when the variable is
// not set or the path does not fit.
bool virtualStorePath(const char* windowsPath, char path[256]) {
  memset(path, 0, 256);
  if (windowsPath[0] == 0 || windowsPath[1] != ':') return false;
  char base[200];
  DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
  if (length == 0 || length >= sizeof base) return false;
  if (strlen(base) + strlen("\\VirtualStore") + strlen(windowsPath + 2) >= 256) return false;
  strcpy(path, base);
  strcat(path, "\\VirtualStore");
  strcat(path, windowsPath + 2);
  return true;
}

bool fileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Makes every folder of `path` above its file name, as the redirection
// does: %LOCALAPPDATA%\VirtualStore\Windows. Folders that exist are left.
void createFolders(const char* path) {
  char folder[256];
  for (const char* slash = strchr(path + 3, '\\'); slash; slash = strchr(slash + 1, '\\')) {
    memcpy(folder, path, slash - path);
    folder[slash - path] = 0;
    CreateDirectoryA(folder, nullptr);
  }
}

}  // namespace

void settingsPath(char path[256]) {
  char windowsPath[256], copy[256];
  windowsDirectoryPath(windowsPath);
  if (virtualStorePath(windowsPath, copy) && fileExists(copy))
    memcpy(path, copy, 256);
  else
    memcpy(path, windowsPath, 256);
}

bool settingsFallbackPath(const char* failedPath, char path[256]) {
  char windowsPath[256];
  windowsDirectoryPath(windowsPath);
  if (strcmp(failedPath, windowsPath) != 0 || !virtualStorePath(windowsPath, path)) return false;
  createFolders(path);
  // The copy starts as the original, so its other lines stay.
  if (fileExists(windowsPath)) CopyFileA(windowsPath, path, TRUE);
  return true;
}

#else

void settingsPath(char path[256]) { windowsDirectoryPath(path); }

bool settingsFallbackPath(const char*, char[256]) { return false; }

#endif
