// The trace of observable events (platform/internal/trace.h): when
// QUILLON_TRACE names a file, each event is appended to it as one line,
// "<ms> <event>", with the driver clock's time. Lines are flushed one by one,
// so the trace is complete up to the last event even when the process is
// killed.
//
// The file is the user's alone: created with mode 0600, never opened through
// a symbolic link (O_NOFOLLOW), and refused unless it is a regular file of
// this user, so the trace never appends to another user's file nor lets
// others read what was typed.
#include "platform/internal/trace.h"

#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/drivers/driver.h"

namespace {

// Opens the trace file for appending; null when it is refused.
FILE* openTraceFile(const char* path) {
  int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
    close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "a");
  if (!file) close(fd);
  return file;
}

FILE* traceFile() {
  static FILE* file = [] {
    const char* path = getenv("QUILLON_TRACE");
    if (!path || !*path) return static_cast<FILE*>(nullptr);
    FILE* f = openTraceFile(path);
    if (!f) fprintf(stderr, "quillon: cannot open the trace file %s\n", path);
    return f;
  }();
  return file;
}

}  // namespace

bool traceEnabled() { return traceFile() != nullptr; }

void traceEvent(const char* format, ...) {
  FILE* file = traceFile();
  if (!file) return;
  char text[1024];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  fprintf(file, "%llu %s\n", static_cast<unsigned long long>(driverClockMs()), text);
  fflush(file);
}
