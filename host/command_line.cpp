// parseCommandLine: the run mode from the switches that the screen-saver
// machinery (or a user) passes.
//
// The switches are found as substrings anywhere in the text and tested in a
// fixed order, so "/s -w" is Windowed and "/s /c" is Configure. The window
// number is read from the third character of the whole text, not from behind
// the switch: "/p 1234" and "-p1234" both give 1234, "  /p 12" gives 0.
#include "host/command_line.h"

#include <ctype.h>
#include <string.h>

#include "host/saver_state.h"

namespace {

bool contains(const char* text, const char* first, const char* second) {
  return strstr(text, first) != nullptr || strstr(text, second) != nullptr;
}

// The decimal number from the third character on: leading blanks skipped,
// reading stops at the first non-digit, 0 when there is none. Window handles
// are 32 bits wide, so more digits wrap around.
HWND windowNumber(const char* text) {
  const char* p = text + 2;
  while (*p == ' ' || *p == '\t') p++;
  uint32_t number = 0;
  while (*p >= '0' && *p <= '9') number = number * 10 + uint32_t(*p++ - '0');
  return reinterpret_cast<HWND>(uintptr_t(number));
}

}  // namespace

void parseCommandLine(char* text) {
  if (text == nullptr) return;
  for (char* p = text; *p; p++) *p = char(tolower(static_cast<unsigned char>(*p)));

  if (*text == '\0' || strstr(text, "-w") != nullptr) {
    runMode = Windowed;
  } else if (contains(text, "/c", "-c")) {
    runMode = Configure;
  } else if (contains(text, "/s", "-s")) {
    runMode = Saver;
  } else if (contains(text, "/p", "-p")) {
    runMode = Preview;
    parentWindow = windowNumber(text);
  } else if (contains(text, "/a", "-a")) {
    runMode = SetPassword;
    parentWindow = windowNumber(text);
  }
}
