// Settings of the headless driver read from the environment:
// QUILLON_SCREEN=WxH (default 1024x768), QUILLON_CLOCK=virtual|real
// (default virtual), QUILLON_FOREIGN_SIZE=WxH (the size of every foreign
// window, such as the preview's parent; default 152x112) and
// QUILLON_SCRIPT=FILE (the input script).
#ifndef QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_CONFIG_H
#define QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_CONFIG_H

#include <string>

struct HeadlessConfig {
  int screenWidth = 1024;
  int screenHeight = 768;
  bool virtualClock = true;
  int foreignWidth = 152;
  int foreignHeight = 112;
  std::string scriptPath;
};

// Reads the environment; a malformed value keeps the default and says so on
// stderr.
HeadlessConfig readHeadlessConfig();

// Parses "WxH" with both numbers positive; false otherwise.
bool parseSize(const char* text, int* width, int* height);

#endif
