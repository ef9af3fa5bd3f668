// Settings of the headless driver read from the environment:
// QUILLON_SCREEN=WxH (default 1024x768) and QUILLON_CLOCK=virtual|real
// (default virtual).
#ifndef QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_CONFIG_H
#define QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_CONFIG_H

struct HeadlessConfig {
  int screenWidth = 1024;
  int screenHeight = 768;
  bool virtualClock = true;
};

// Reads the environment; a malformed value keeps the default and says so on
// stderr.
HeadlessConfig readHeadlessConfig();

// Parses "WxH" with both numbers positive; false otherwise.
bool parseSize(const char* text, int* width, int* height);

#endif
