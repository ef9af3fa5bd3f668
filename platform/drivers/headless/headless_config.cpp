// The headless driver's settings from the environment (headless_config.h).
#include "platform/drivers/headless/headless_config.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

bool parseSize(const char* text, int* width, int* height) {
  int w = 0, h = 0, used = 0;
  if (sscanf(text, "%dx%d%n", &w, &h, &used) != 2 || text[used] != '\0') return false;
  if (w <= 0 || h <= 0 || w > 32767 || h > 32767) return false;
  *width = w;
  *height = h;
  return true;
}

HeadlessConfig readHeadlessConfig() {
  HeadlessConfig config;
  if (const char* screen = getenv("QUILLON_SCREEN")) {
    if (*screen && !parseSize(screen, &config.screenWidth, &config.screenHeight))
      fprintf(stderr, "quillon: QUILLON_SCREEN=%s is not WxH, using 1024x768\n", screen);
  }
  if (const char* foreign = getenv("QUILLON_FOREIGN_SIZE")) {
    if (*foreign && !parseSize(foreign, &config.foreignWidth, &config.foreignHeight))
      fprintf(stderr, "quillon: QUILLON_FOREIGN_SIZE=%s is not WxH, using 152x112\n", foreign);
  }
  if (const char* script = getenv("QUILLON_SCRIPT")) config.scriptPath = script;
  if (const char* clock = getenv("QUILLON_CLOCK")) {
    if (strcmp(clock, "real") == 0)
      config.virtualClock = false;
    else if (*clock && strcmp(clock, "virtual") != 0)
      fprintf(stderr, "quillon: QUILLON_CLOCK=%s is neither virtual nor real, using virtual\n", clock);
  }
  return config;
}
