// The trace of observable events (platform/internal/trace.h): when
// QUILLON_TRACE names a file, each event is appended to it as one line,
// "<ms> <event>", with the driver clock's time. Lines are flushed one by one,
// so the trace is complete up to the last event even when the process is
// killed.
#include "platform/internal/trace.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#include "platform/drivers/driver.h"

namespace {

FILE* traceFile() {
  static FILE* file = [] {
    const char* path = getenv("QUILLON_TRACE");
    if (!path || !*path) return static_cast<FILE*>(nullptr);
    FILE* f = fopen(path, "a");
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
