// _tempnam of the Microsoft C runtime, for the POSIX layer: a name for a new
// temporary file, in malloc'd storage that the caller frees.
//
// The folder is chosen as the Microsoft runtime does: the one named by the
// TMP environment variable when that is an existing folder, else `directory`
// when it is one, else the system's temporary folder ($TMPDIR, else /tmp),
// else the current folder. The name is the folder, a '/', the prefix and a
// number made of the process id and a counter, tried until no file of that
// name exists. As in Win32 the file is not created, so another program may
// take the name before the caller does: create it with _O_CREAT | _O_EXCL.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

bool isFolder(const char* path) {
  struct stat st;
  return path && *path && stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string chooseFolder(const char* directory) {
  const char* candidates[] = {getenv("TMP"), directory, getenv("TMPDIR"), "/tmp"};
  for (const char* candidate : candidates)
    if (isFolder(candidate)) return candidate;
  return ".";
}

unsigned nextNumber() {
  static unsigned counter = 0;
  return ++counter;
}

}  // namespace

char* _tempnam(const char* directory, const char* prefix) {
  std::string folder = chooseFolder(directory);
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  for (int attempt = 0; attempt < 10000; attempt++) {
    char number[32];
    snprintf(number, sizeof number, "%x%u", unsigned(getpid()), nextNumber());
    std::string name = folder + "/" + (prefix ? prefix : "") + number;
    struct stat st;
    if (lstat(name.c_str(), &st) == 0) continue;
    return strdup(name.c_str());
  }
  return nullptr;
}
