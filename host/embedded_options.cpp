// isEmbeddedCommandLine, readEmbeddedOptions and applyEmbeddedOptions: the
// command line of embedded mode.
//
// --help and --version print their text and end the program. Every option
// but --root, -root, --help and --version takes the next argument as its
// value. Numbers are whole decimal numbers that fit the setting; colours
// are written as users write them, rrggbb or #rrggbb, and held as the settings hold
// colours (red in the low byte). --url may come several times: the URLs
// replace the settings file's list, in their order.
#include "host/embedded_options.h"

#include <windows.h>

#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "host/saver_state.h"
#include "quillon_version.h"
#include "settings/settings.h"

namespace {

const char* const kHostVariable = "XSCREENSAVER_WINDOW";

// The whole-number options: the setting each one overrides and its lowest
// value.
struct NumberOption {
  const char* name;
  int32_t Settings::*field;
  int32_t lowest;
  const char* unit;
};

const NumberOption kNumberOptions[] = {
    {"--type-delay", &Settings::typeDelay, 0, "milliseconds"},
    {"--line-delay", &Settings::lineScrollDelay, 0, "milliseconds"},
    {"--font-size", &Settings::fontSize, 1, "pixels"},
    {"--indent", &Settings::indent, 0, "pixels"},
    {"--fetch-timeout", &Settings::fetchTimeout, 0, "seconds"},
};

struct ColorOption {
  const char* name;
  int32_t Settings::*field;
};

const ColorOption kColorOptions[] = {
    {"--fg", &Settings::fgColor},
    {"--bg", &Settings::bgColor},
};

const char* const kOtherOptions[] = {"--root", "-root", "--window-id", "-window-id",
                                     "--url",  "--font", "--help", "--version"};

const int kLongestFontName = 48;
const int kLongestUrl = 509;

const char* const kUsage =
    "Usage: quillon [/s | /c | /p ID | /a ID | -w]\n"
    "       quillon --root | --window-id ID [OPTIONS]\n"
    "       quillon --version\n"
    "\n"
    "With --root, -root or --window-id the saver draws inside the window of a\n"
    "screen-saver host: the window ID, else the one XSCREENSAVER_WINDOW names,\n"
    "else the desktop. It ignores input and runs until it is told to end.\n"
    "These options override quillonscr.ini for this run only:\n"
    "  --url URL            a document to type; repeat it for several (replaces the list)\n"
    "  --type-delay MS      milliseconds between two typed characters\n"
    "  --line-delay MS      milliseconds from the end of a line to the scroll\n"
    "  --font NAME          the font's face name\n"
    "  --font-size N        the text's cell height in pixels\n"
    "  --indent N           the left margin in pixels\n"
    "  --fg RRGGBB          the text colour (# before it is allowed)\n"
    "  --bg RRGGBB          the background colour\n"
    "  --fetch-timeout S    seconds a fetch may take (0: no limit)\n"
    "  --help               this text\n";

struct NumberOverride {
  int32_t Settings::*field;
  int32_t value;
};

// The options read, waiting for the settings to be loaded.
struct EmbeddedOptions {
  std::vector<NumberOverride> numbers;  // numbers and colours, in order
  bool hasFontName = false;
  std::string fontName;
  std::vector<std::string> urls;
};

EmbeddedOptions options;

const NumberOption* numberOption(const char* name) {
  for (const NumberOption& option : kNumberOptions)
    if (strcmp(name, option.name) == 0) return &option;
  return nullptr;
}

const ColorOption* colorOption(const char* name) {
  for (const ColorOption& option : kColorOptions)
    if (strcmp(name, option.name) == 0) return &option;
  return nullptr;
}

bool isOption(const char* text) {
  if (numberOption(text) || colorOption(text)) return true;
  for (const char* name : kOtherOptions)
    if (strcmp(text, name) == 0) return true;
  return false;
}

// A whole decimal number from `lowest` to the largest 32-bit one.
bool readNumber(const char* text, int32_t lowest, int32_t* value) {
  if (*text < '0' || *text > '9') return false;
  errno = 0;
  char* end = nullptr;
  long long number = strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || number < lowest || number > INT32_MAX) return false;
  *value = static_cast<int32_t>(number);
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#rrggbb" or "rrggbb" as the settings' colour value: red in the low
// byte. Without "#" the value survives a host that runs the command line
// through /bin/sh, where "#" starts a comment.
bool readColor(const char* text, int32_t* value) {
  if (text[0] == '#') text++;
  if (strlen(text) != 6) return false;
  int bytes[3];
  for (int i = 0; i < 3; i++) {
    int high = hexDigit(text[2 * i]), low = hexDigit(text[1 + 2 * i]);
    if (high < 0 || low < 0) return false;
    bytes[i] = high * 16 + low;
  }
  *value = static_cast<int32_t>(RGB(bytes[0], bytes[1], bytes[2]));
  return true;
}

// A window number as hosts write it: hexadecimal after "0x", else decimal;
// not 0, at most 32 bits.
bool readWindowNumber(const char* text, HWND* window) {
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (hexDigit(*text) < 0 || (base == 10 && (*text < '0' || *text > '9'))) return false;
  errno = 0;
  char* end = nullptr;
  unsigned long long number = strtoull(text, &end, base);
  if (errno != 0 || *end != '\0' || number == 0 || number > UINT32_MAX) return false;
  *window = reinterpret_cast<HWND>(static_cast<uintptr_t>(number));
  return true;
}

bool underHost() {
  char value[2];
  return GetEnvironmentVariableA(kHostVariable, value, sizeof value) > 0;
}

// Reads one option's value into `options`; false with the complaint (which
// follows the option's name) when the value is not one it takes.
bool readValue(const char* name, const char* value, HWND* windowId, std::string* complaint) {
  if (const NumberOption* option = numberOption(name)) {
    int32_t number = 0;
    if (!readNumber(value, option->lowest, &number)) {
      *complaint = std::string("\"") + value + "\" is not a whole number of " + option->unit +
                   " (" + std::to_string(option->lowest) + " or more)";
      return false;
    }
    options.numbers.push_back(NumberOverride{option->field, number});
  } else if (const ColorOption* option = colorOption(name)) {
    int32_t color = 0;
    if (!readColor(value, &color)) {
      *complaint = std::string("\"") + value + "\" is not a colour written rrggbb or #rrggbb";
      return false;
    }
    options.numbers.push_back(NumberOverride{option->field, color});
  } else if (strcmp(name, "--font") == 0) {
    size_t length = strlen(value);
    if (length == 0 || length > size_t(kLongestFontName)) {
      *complaint = "a font name has 1 to " + std::to_string(kLongestFontName) + " characters";
      return false;
    }
    options.hasFontName = true;
    options.fontName = value;
  } else if (strcmp(name, "--url") == 0) {
    size_t length = strlen(value);
    if (length == 0 || length > size_t(kLongestUrl)) {
      *complaint = "a URL has 1 to " + std::to_string(kLongestUrl) + " characters";
      return false;
    }
    options.urls.push_back(value);
  } else if (!readWindowNumber(value, windowId)) {  // --window-id, -window-id
    *complaint = std::string("\"") + value + "\" is not a window number (0x... or decimal)";
    return false;
  }
  return true;
}

// One line on stderr. Under a host the run goes on: the value is not used.
void complain(bool host, const std::string& text, const char* consequence) {
  fprintf(stderr, "quillon: %s%s\n", text.c_str(), host ? consequence : "");
}

}  // namespace

bool isEmbeddedCommandLine(int argc, char** argv) {
  return argc >= 2 && argv != nullptr && argv[1] != nullptr && isOption(argv[1]);
}

int readEmbeddedOptions(int argc, char** argv) {
  const bool host = underHost();
  const char* const keepsSetting = "; the settings file's value is used";
  HWND windowId = nullptr;
  for (int i = 1; i < argc; i++) {
    const char* argument = argv[i];
    if (strcmp(argument, "--help") == 0) {
      fputs(kUsage, stdout);
      return 0;
    }
    if (strcmp(argument, "--version") == 0) {
      fputs("quillon " QUILLON_VERSION "\n", stdout);
      return 0;
    }
    if (strcmp(argument, "--root") == 0 || strcmp(argument, "-root") == 0) continue;
    std::string complaint;
    const char* consequence = keepsSetting;
    HWND window = nullptr;
    if (!isOption(argument)) {
      bool unknownOption = argument[0] == '-';
      complaint = std::string(unknownOption ? "unknown option \"" : "unexpected argument \"") +
                  argument + "\" (see quillon --help)";
      consequence = "; ignored";
      // An unknown option's value goes with it.
      if (unknownOption && i + 1 < argc && argv[i + 1][0] != '-') i++;
    } else if (i + 1 >= argc) {
      complaint = std::string(argument) + " needs a value";
    } else if (!readValue(argument, argv[++i], &window, &complaint)) {
      complaint = std::string(argument) + ": " + complaint;
      if (strstr(argument, "window-id") != nullptr) consequence = "; ignored";
    } else {
      if (window) windowId = window;
      continue;
    }
    // Without a host the first mistake ends the program; under one the
    // saver runs all the same.
    complain(host, complaint, consequence);
    if (!host) return 2;
  }

  runMode = Embedded;
  parentWindow = windowId;
  char number[32];
  DWORD length = GetEnvironmentVariableA(kHostVariable, number, sizeof number);
  if (!parentWindow && length > 0) {
    if (length >= sizeof number || !readWindowNumber(number, &parentWindow))
      fprintf(stderr, "quillon: %s is not a window number (0x... or decimal); drawing on the "
                      "desktop\n", kHostVariable);
  }
  if (!parentWindow) parentWindow = GetShellWindow();
  return -1;
}

void applyEmbeddedOptions() {
  for (const NumberOverride& number : options.numbers) settings.*number.field = number.value;
  if (options.hasFontName) {
    memset(settings.fontName, 0, sizeof settings.fontName);
    strncpy(settings.fontName, options.fontName.c_str(), kLongestFontName);
  }
  if (!options.urls.empty()) {
    settings.urlList.clear();
    for (const std::string& url : options.urls) settings.urlList.append(url.c_str());
  }
}
