// The Windows directory of the POSIX layer: GetWindowsDirectoryA, and the
// mapping of Win32-style file paths onto the POSIX file system.
#include <windows.h>

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "platform/kernel/paths.h"

std::string windowsDirectory() {
  const char* own = getenv("QUILLON_WINDOWS_DIR");
  if (own && *own) return own;
  const char* config = getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/quillon";
  const char* home = getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/quillon";
}

std::string hostProfilePath(const char* win32Path) {
  std::string path = win32Path ? win32Path : "";
  bool bare = path.find_first_of("\\/") == std::string::npos;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (bare) return windowsDirectory() + "/" + path;
  return path;
}

bool makeDirectories(const std::string& path) {
  if (path.empty()) return false;
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !makeDirectories(path.substr(0, slash)))
    return false;
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// Like Win32: the length without the terminator when the path fits, else the
// size needed including the terminator (and the buffer is left alone).
UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  std::string dir = windowsDirectory();
  UINT length = static_cast<UINT>(dir.size());
  if (buffer == nullptr || length + 1 > size) return length + 1;
  memcpy(buffer, dir.c_str(), length + 1);
  return length;
}
