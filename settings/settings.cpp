// The settings store: loadSettings, saveSettings, scramblePassword and the
// process-wide Settings record.
#include "settings/settings.h"

#include <windows.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings/settings_location.h"

Settings settings;

const char* const defaultUrl = "http://duckduckgo.com/cgi-bin/SearchTicker";

namespace {

const char* const section = "settings";

int32_t readColor(const char* key, const char* defaultText, const char* path) {
  char text[200];
  GetPrivateProfileStringA(section, key, defaultText, text, sizeof text, path);
  // strtol's result saturates at the range of a 32-bit long, as it does on
  // Windows, where long has 32 bits: "FFFFFFFF" reads as 0x7FFFFFFF there,
  // and must here too.
  long value = strtol(text, nullptr, 16);
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<int32_t>(value);
}

bool writeNumber(const char* key, int32_t value, const char* path) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  return WritePrivateProfileStringA(section, key, text, path);
}

// Colours as at least six upper-case hexadecimal digits: 0xFF00 is "00FF00".
bool writeColor(const char* key, int32_t value, const char* path) {
  char text[16];
  snprintf(text, sizeof text, "%.6X", static_cast<unsigned>(value));
  return WritePrivateProfileStringA(section, key, text, path);
}

bool isBlankOrQuote(char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; }

// The password's stored form. The INI reader drops blanks around a value and
// one pair of surrounding quotation marks; a scrambled password that begins
// or ends with such a character is therefore written inside double quotation
// marks, which the reader removes again, so it comes back unchanged.
bool writePassword(const char* path) {
  char value[sizeof settings.password + 2];
  scramblePassword();
  size_t length = strlen(settings.password);
  if (length > 0 &&
      (isBlankOrQuote(settings.password[0]) || isBlankOrQuote(settings.password[length - 1])))
    snprintf(value, sizeof value, "\"%s\"", settings.password);
  else
    snprintf(value, sizeof value, "%s", settings.password);
  scramblePassword();
  return WritePrivateProfileStringA(section, "password", value, path);
}

// The number n for a key name that "url%d" with n gives ("url0", "URL12"),
// or -1 for any other name.
int32_t urlKeyNumber(const char* name) {
  // Key names match without regard to case (ASCII).
  const char* url = "url";
  for (int i = 0; i < 3; i++)
    if (tolower(static_cast<unsigned char>(name[i])) != url[i]) return -1;
  const char* digits = name + 3;
  if (digits[0] < '0' || digits[0] > '9' || (digits[0] == '0' && digits[1] != 0)) return -1;
  int64_t number = 0;
  for (const char* d = digits; *d; d++) {
    if (*d < '0' || *d > '9') return -1;
    number = number * 10 + (*d - '0');
    if (number > INT32_MAX) return -1;
  }
  return static_cast<int32_t>(number);
}

// How many "url%d" keys the load has to ask for at most: one past the
// highest number among the section's URL keys, found by listing the key
// names once. Keys beyond it are missing and would be skipped anyway, so a
// huge "url count" costs no more than the keys that are there. When the
// names cannot be listed whole, `urlCount` itself.
int32_t urlKeysToRead(int32_t urlCount, const char* path) {
  const DWORD largest = 64u << 20;
  for (DWORD size = 1u << 16; size <= largest; size *= 2) {
    char* names = static_cast<char*>(malloc(size));
    if (names == nullptr) break;
    DWORD length = GetPrivateProfileStringA(section, nullptr, "", names, size, path);
    if (length + 2 >= size) {  // cut: ask again with room for more
      free(names);
      continue;
    }
    int32_t highest = -1;
    for (const char* name = names; *name; name += strlen(name) + 1) {
      int32_t number = urlKeyNumber(name);
      if (number > highest) highest = number;
    }
    free(names);
    return highest + 1 < urlCount ? highest + 1 : urlCount;
  }
  return urlCount;
}

}  // namespace

void loadSettings() {
  char path[256];
  settingsPath(path);

  settings.lineScrollDelay = static_cast<int32_t>(GetPrivateProfileIntA(section, "line scroll delay", 500, path));
  settings.typeDelay = static_cast<int32_t>(GetPrivateProfileIntA(section, "type delay", 50, path));
  settings.bgColor = readColor("bgcolor", "000000", path);
  settings.fgColor = readColor("fgcolor", "00FF00", path);
  settings.indent = static_cast<int32_t>(GetPrivateProfileIntA(section, "indent", 0, path));
  GetPrivateProfileStringA(section, "font name", "Courier New", settings.fontName, 49, path);
  settings.fontSize = static_cast<int32_t>(GetPrivateProfileIntA(section, "font size", 30, path));
  settings.fetchTimeout = static_cast<int32_t>(GetPrivateProfileIntA(section, "fetch timeout", 5, path));
  memset(settings.password, 0, sizeof settings.password);
  GetPrivateProfileStringA(section, "password", "", settings.password, 49, path);
  scramblePassword();
  int32_t urlCount = static_cast<int32_t>(GetPrivateProfileIntA(section, "url count", 0, path));

  settings.urlList.clear();
  int32_t keysToRead = urlKeysToRead(urlCount, path);
  for (int32_t i = 0; i < keysToRead; i++) {
    char key[32];
    char url[512];
    snprintf(key, sizeof key, "url%d", i);
    GetPrivateProfileStringA(section, key, "", url, 511, path);
    if (url[0] != 0) settings.urlList.append(url);
  }
  if (settings.urlList.count() == 0) settings.urlList.append(defaultUrl);
}

namespace {

// Writes every field into the file at `path`, in the save order; stops at
// the first write that fails and returns false then.
bool writeSettings(const char* path) {
  bool written = writeNumber("line scroll delay", settings.lineScrollDelay, path) &&
                 writeNumber("type delay", settings.typeDelay, path) &&
                 writeColor("bgcolor", settings.bgColor, path) &&
                 writeColor("fgcolor", settings.fgColor, path) &&
                 writeNumber("indent", settings.indent, path) &&
                 WritePrivateProfileStringA(section, "font name", settings.fontName, path) &&
                 writeNumber("font size", settings.fontSize, path) &&
                 writeNumber("fetch timeout", settings.fetchTimeout, path) &&
                 writeNumber("url count", settings.urlList.count(), path) &&
                 writePassword(path);

  // One full rotation, whatever happens: afterwards the list holds the same
  // URLs in order.
  for (int i = 0; i < settings.urlList.count(); i++) {
    char key[32];
    char url[512];
    settings.urlList.popFront(url, 511);
    snprintf(key, sizeof key, "url%d", i);
    if (written) written = WritePrivateProfileStringA(section, key, url, path);
    settings.urlList.append(url);
  }
  return written;
}

}  // namespace

bool saveSettings() {
  char path[256];
  settingsPath(path);
  if (writeSettings(path)) return true;
  char fallback[256];
  return settingsFallbackPath(path, fallback) && writeSettings(fallback);
}

// The key is built at run time from small numbers, so it is not stored as
// data. Each byte lies in 1..15: a typed character (0x20 and above) keeps
// its upper bits, so it never becomes a zero byte, CR, LF or any other
// control character, and no letter or digit becomes a blank, '"' or '\''.
void scramblePassword() {
  unsigned char key[9];
  for (int i = 0; i < 9; i++) key[i] = static_cast<unsigned char>((i * 7 + 3) % 15 + 1);
  size_t length = strlen(settings.password);
  for (size_t i = 0; i < length; i++)
    settings.password[i] = static_cast<char>(settings.password[i] ^ key[i % 9]);
}
