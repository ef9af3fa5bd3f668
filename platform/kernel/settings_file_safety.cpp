// The ownership and permission rules for settings folders and files
// (settings_file_safety.h).
#include "platform/kernel/settings_file_safety.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ownedByUser(const struct stat& info) { return info.st_uid == geteuid(); }
bool othersMayWrite(const struct stat& info) { return (info.st_mode & 022) != 0; }

// Why a symbolic link at `path` may not be followed; empty when it may, and
// then `target` is where it leads.
std::string unsafeLink(const std::string& path, std::string* target) {
  const char* refused = "is a symbolic link that does not lead to a file of this user in a "
                        "folder only this user may write";
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return refused;
  struct stat file, folder;
  std::string folderPath = folderOf(resolved);
  if (stat(resolved, &file) != 0 || !S_ISREG(file.st_mode) || !ownedByUser(file) ||
      othersMayWrite(file) || stat(folderPath.c_str(), &folder) != 0 || !ownedByUser(folder) ||
      othersMayWrite(folder))
    return refused;
  *target = resolved;
  return "";
}

}  // namespace

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string unsafeFolder(const std::string& folder) {
  struct stat info;
  if (stat(folder.c_str(), &info) != 0) return "";  // made private when first written
  if (!S_ISDIR(info.st_mode)) return "its folder " + folder + " is not a folder";
  if (!ownedByUser(info) && info.st_uid != 0)
    return "its folder " + folder + " belongs to another user";
  if (othersMayWrite(info)) return "its folder " + folder + " may be written by other users";
  return "";
}

std::string unsafeSettingsFile(const std::string& path, std::string* real) {
  *real = path;
  std::string why = unsafeFolder(folderOf(path));
  if (!why.empty()) return why;
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return "";  // not there yet
  if (S_ISLNK(info.st_mode)) return unsafeLink(path, real);
  if (!S_ISREG(info.st_mode)) return "";  // the reader refuses it on its own terms
  if (!ownedByUser(info)) return "belongs to another user";
  if (othersMayWrite(info)) return "may be written by other users";
  return "";
}
