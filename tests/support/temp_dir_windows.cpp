// The Windows side of the test support's temporary directories: a fresh
// directory under GetTempPathA, removed with FindFirstFileA/DeleteFileA/
// RemoveDirectoryA; the environment through _putenv_s.
#include <windows.h>

#include <stdlib.h>

#include "tests/support/temp_dir_os.h"

const char pathSeparator = '\\';

std::string makeTempDirectory() {
  char base[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof base, base);
  if (length == 0 || length > MAX_PATH) return "";
  // CreateDirectoryA fails on an existing name, so a taken name is never
  // reused: try the next one.
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    std::string path = std::string(base) + "quillon-test-" +
                       std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(GetTickCount() + attempt);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

void setEnvironment(const char* name, const char* value) {
  // The C runtime cannot hold an empty variable: _putenv_s with "" removes
  // it, so on Windows ScopedEnv with an empty value unsets the variable.
  _putenv_s(name, value ? value : "");
}
