// The registry file of the POSIX layer: the keys and values that the
// registry read calls see, kept as text in the Windows directory in the
// format of a Windows registry export (.reg, REGEDIT4):
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   "ScreenSaveUsePassword"="1"
//   "SomeNumber"=dword:00000001
//   "SomeBytes"=hex:01,02,ff
//   @="the key's default value"
//
// Key paths start with the root's full name; names of keys and values are
// compared without regard to case, as in Win32. Texts take \\ and \" as
// escapes. Lines starting with ';' are comments.
#ifndef QUILLON_PLATFORM_KERNEL_REGISTRY_FILE_H
#define QUILLON_PLATFORM_KERNEL_REGISTRY_FILE_H

#include <windows.h>

#include <string>
#include <vector>

struct RegistryValue {
  std::string name;   // "" for the default value (@)
  DWORD type;         // REG_SZ, REG_DWORD or REG_BINARY
  std::string data;   // the bytes as RegQueryValueExA returns them
};

struct RegistryKey {
  std::string path;   // "HKEY_CURRENT_USER\Control Panel\Desktop"
  std::vector<RegistryValue> values;
};

struct RegistryDocument {
  std::vector<RegistryKey> keys;
};

// Parses the text; a line that cannot be read is skipped with a note on
// stderr naming the file and the line.
RegistryDocument parseRegistry(const std::string& text, const std::string& fileName);

// "registry.reg" in the Windows directory.
std::string registryFilePath();

// The file's keys. A UTF-8 byte-order mark at its start is skipped. A
// missing file, or one that is refused (readSettingsFile in file_io.h: not a
// regular file, too large, unreadable), reads as the one key
// "HKEY_CURRENT_USER\Control Panel\Desktop" with no values: on Windows that
// key always exists, and its value "ScreenSaveUsePassword" is absent until
// the user turns screen-saver passwords on.
RegistryDocument loadRegistry();

// Whether the key exists: named in the document, or a parent of one that is.
bool registryKeyExists(const RegistryDocument& doc, const std::string& path);

// The value of the key, or null.
const RegistryValue* findRegistryValue(const RegistryDocument& doc, const std::string& keyPath,
                                       const std::string& valueName);

#endif
