// Whole-file reads and atomic whole-file writes.
#include "platform/kernel/file_io.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "platform/kernel/paths.h"
#include "platform/kernel/settings_file_safety.h"

namespace {

// Says once per path why a settings file is not used (read or written).
void sayRefused(const std::string& path, const std::string& why, const char* consequence) {
  static std::set<std::string>* said = new std::set<std::string>;  // never destroyed
  if (!said->insert(path).second) return;
  fprintf(stderr, "quillon: %s: %s; %s\n", path.c_str(), why.c_str(), consequence);
}

FileRead refuse(const std::string& path, const std::string& why) {
  sayRefused(path, why, "it is not used, as if it were missing");
  return FileRead::Refused;
}

bool refuseWrite(const std::string& path, const std::string& why) {
  sayRefused(path, why, "the settings are not saved");
  return false;
}

}  // namespace

FileRead readSettingsFile(const std::string& path, std::string* text) {
  text->clear();
  std::string real;
  std::string unsafe = unsafeSettingsFile(path, &real);
  if (!unsafe.empty()) return refuse(path, unsafe);
  // Not blocking: opening a FIFO for reading would otherwise wait for a
  // writer.
  int fd = open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
    return refuse(path, std::string("cannot be read (") + strerror(errno) + ")");
  }
  struct stat info;
  std::string why;
  if (fstat(fd, &info) != 0)
    why = std::string("cannot be read (") + strerror(errno) + ")";
  else if (S_ISDIR(info.st_mode))
    why = "is a directory";
  else if (!S_ISREG(info.st_mode))
    why = "is not a regular file";
  else if (static_cast<unsigned long long>(info.st_size) > kLargestSettingsFile)
    why = "is larger than 16 MiB";
  if (!why.empty()) {
    close(fd);
    return refuse(path, why);
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) why = std::string("cannot be read (") + strerror(errno) + ")";
    if (n <= 0) break;
    text->append(buffer, static_cast<size_t>(n));
    if (text->size() > kLargestSettingsFile) {  // it grew while being read
      why = "is larger than 16 MiB";
      break;
    }
  }
  close(fd);
  if (!why.empty()) {
    text->clear();
    return refuse(path, why);
  }
  return FileRead::Read;
}

FileStamp fileStamp(const std::string& path) {
  FileStamp stamp;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.device = static_cast<unsigned long long>(info.st_dev);
  stamp.inode = static_cast<unsigned long long>(info.st_ino);
  stamp.size = static_cast<unsigned long long>(info.st_size);
  stamp.modifiedSeconds = static_cast<long long>(info.st_mtim.tv_sec);
  stamp.modifiedNanoseconds = static_cast<long long>(info.st_mtim.tv_nsec);
  return stamp;
}

bool sameStamp(const FileStamp& a, const FileStamp& b) {
  return a.exists == b.exists && a.device == b.device && a.inode == b.inode &&
         a.size == b.size && a.modifiedSeconds == b.modifiedSeconds &&
         a.modifiedNanoseconds == b.modifiedNanoseconds;
}

bool writeFileAtomically(const std::string& path, const std::string& text) {
  std::string real;
  std::string unsafe = unsafeSettingsFile(path, &real);
  if (!unsafe.empty()) return refuseWrite(path, unsafe);
  // A read-only file is not replaced, as Win32 refuses to write one.
  struct stat old;
  if (lstat(real.c_str(), &old) == 0 && S_ISREG(old.st_mode) && (old.st_mode & S_IWUSR) == 0)
    return refuseWrite(path, "is read-only");
  makeDirectories(folderOf(real));

  std::string temp = real + ".XXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  fchmod(fd, 0600);

  const char* data = text.data();
  size_t left = text.size();
  bool ok = true;
  while (ok && left > 0) {
    ssize_t n = write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else {
      data += n;
      left -= static_cast<size_t>(n);
    }
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && rename(temp.c_str(), real.c_str()) != 0) ok = false;
  if (!ok) unlink(temp.c_str());
  return ok;
}
