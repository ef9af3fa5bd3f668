// The process's resident memory (see resident_memory.h).
#include "bench/feed/resident_memory.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

long statusKiB(const char* field) {
  FILE* status = fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long value = 0;
  size_t length = strlen(field);
  while (fgets(line, sizeof line, status))
    if (strncmp(line, field, length) == 0 && line[length] == ':') value = atol(line + length + 1);
  fclose(status);
  return value;
}

void resetPeak() {
  FILE* refs = fopen("/proc/self/clear_refs", "w");
  if (refs == nullptr) return;
  fputs("5", refs);
  fclose(refs);
}
