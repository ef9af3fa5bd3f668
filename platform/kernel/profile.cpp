// Private-profile (INI) files of the POSIX layer: GetPrivateProfileIntA,
// GetPrivateProfileStringA, WritePrivateProfileStringA.
//
// The parsed file is cached and read again only when it has changed
// (profile_cache.h, which also says when a write reaches the disk); a write
// replaces the file atomically. Paths may use backslashes; a bare file name
// lives in the Windows directory, as on Win32.
#include <windows.h>

#include <ctype.h>
#include <string.h>

#include "platform/kernel/ini_document.h"
#include "platform/kernel/paths.h"
#include "platform/kernel/profile_cache.h"

namespace {

// Copies names as a list of zero-terminated strings ended by an extra zero.
// Win32: when they do not fit, the list is cut and size - 2 is returned.
DWORD copyNameList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (size == 0) return 0;
  if (size == 1) {
    buffer[0] = 0;
    return 0;
  }
  DWORD used = 0;
  for (const std::string& name : names) {
    for (size_t i = 0; i <= name.size(); i++) {
      if (used + 1 >= size) {  // keep room for the final zero
        buffer[size - 2] = 0;
        buffer[size - 1] = 0;
        return size - 2;
      }
      buffer[used++] = i < name.size() ? name[i] : 0;
    }
  }
  buffer[used] = 0;
  return used == 0 ? 0 : used;
}

// Win32's reading of an integer value (RtlCharToInteger with base 0): blanks,
// an optional sign, then decimal, or hexadecimal after "0x", octal after
// "0o", binary after "0b"; reading stops at the first other character, and
// a text without digits is 0.
UINT parseProfileInt(const std::string& text) {
  const char* p = text.c_str();
  while (*p && static_cast<unsigned char>(*p) <= ' ') p++;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) base = 16, p += 2;
  else if (p[0] == '0' && (p[1] == 'o' || p[1] == 'O')) base = 8, p += 2;
  else if (p[0] == '0' && (p[1] == 'b' || p[1] == 'B')) base = 2, p += 2;
  UINT value = 0;
  for (;; p++) {
    unsigned digit;
    if (isdigit(static_cast<unsigned char>(*p))) digit = static_cast<unsigned>(*p - '0');
    else if (isalpha(static_cast<unsigned char>(*p))) digit = static_cast<unsigned>(tolower(*p) - 'a' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                      LPSTR buffer, DWORD size, LPCSTR fileName) {
  if (buffer == nullptr) return 0;
  bool found = false;
  const IniDocument& doc = cachedProfile(hostProfilePath(fileName), &found);
  if (!found) SetLastError(ERROR_FILE_NOT_FOUND);
  if (section == nullptr) return copyNameList(iniSectionNames(doc), buffer, size);
  if (key == nullptr) return copyNameList(iniKeyNames(doc, section), buffer, size);

  std::string value;
  if (!iniReadValue(doc, section, key, &value)) {
    // Win32 drops trailing blanks of the default text.
    value = defaultValue ? defaultValue : "";
    while (!value.empty() && value.back() == ' ') value.pop_back();
  }
  if (size == 0) return 0;
  DWORD length = value.size() < size - 1 ? static_cast<DWORD>(value.size()) : size - 1;
  memcpy(buffer, value.data(), length);
  buffer[length] = 0;
  return length;
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  bool found = false;
  const IniDocument& doc = cachedProfile(hostProfilePath(fileName), &found);
  std::string value;
  if (section == nullptr || key == nullptr || !iniReadValue(doc, section, key, &value) ||
      value.empty())
    return static_cast<UINT>(defaultValue);
  return parseProfileInt(value);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value,
                                       LPCSTR fileName) {
  if (section == nullptr && key == nullptr && value == nullptr) {
    // Win32's request to flush the profile cache; it always returns FALSE.
    flushProfiles();
    return FALSE;
  }
  if (section == nullptr || fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path = hostProfilePath(fileName);
  bool found = false;
  IniDocument& doc = cachedProfile(path, &found);
  bool changed;
  if (key == nullptr)
    changed = iniDeleteSection(&doc, section);
  else if (value == nullptr)
    changed = iniDeleteKey(&doc, section, key);
  else
    changed = iniSetValue(&doc, section, key, value);
  if (!changed) return TRUE;
  if (!storeProfile(path)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return TRUE;
}
