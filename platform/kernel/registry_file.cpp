// Reading the registry file (registry_file.h).
#include "platform/kernel/registry_file.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <strings.h>

#include "platform/kernel/file_io.h"
#include "platform/kernel/paths.h"

namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

// A quoted text starting at text[*pos] == '"'; *pos ends behind the closing
// quote. False when the quote is not closed.
bool readQuoted(const std::string& text, size_t* pos, std::string* out) {
  out->clear();
  for (size_t i = *pos + 1; i < text.size(); i++) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      *out += text[++i];
    } else if (c == '"') {
      *pos = i + 1;
      return true;
    } else {
      *out += c;
    }
  }
  return false;
}

bool readDword(const std::string& digits, std::string* out) {
  if (digits.empty() || digits.size() > 8) return false;
  char* end = nullptr;
  unsigned long value = strtoul(digits.c_str(), &end, 16);
  if (*end != '\0') return false;
  out->clear();
  for (int i = 0; i < 4; i++) *out += char((value >> (8 * i)) & 0xFF);  // little-endian
  return true;
}

bool readHexBytes(const std::string& list, std::string* out) {
  out->clear();
  size_t pos = 0;
  while (pos < list.size()) {
    size_t comma = list.find(',', pos);
    std::string item = list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    while (!item.empty() && isspace(static_cast<unsigned char>(item.back()))) item.pop_back();
    while (!item.empty() && isspace(static_cast<unsigned char>(item.front()))) item.erase(0, 1);
    char* end = nullptr;
    unsigned long byte = strtoul(item.c_str(), &end, 16);
    if (item.empty() || item.size() > 2 || *end != '\0') return false;
    *out += char(byte);
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return true;
}

// `"name"=...` or `@=...`; false when the line is not a value.
bool readValue(const std::string& line, RegistryValue* value) {
  size_t pos = 0;
  if (line[0] == '@') {
    value->name.clear();
    pos = 1;
  } else if (!readQuoted(line, &pos, &value->name)) {
    return false;
  }
  if (pos >= line.size() || line[pos] != '=') return false;
  std::string rest = line.substr(pos + 1);
  if (!rest.empty() && rest[0] == '"') {
    size_t at = 0;
    if (!readQuoted(rest, &at, &value->data) || at != rest.size()) return false;
    value->type = REG_SZ;
    value->data += '\0';  // a text's data include its terminating zero
    return true;
  }
  if (strncasecmp(rest.c_str(), "dword:", 6) == 0) {
    value->type = REG_DWORD;
    return readDword(rest.substr(6), &value->data);
  }
  if (strncasecmp(rest.c_str(), "hex:", 4) == 0) {
    value->type = REG_BINARY;
    return readHexBytes(rest.substr(4), &value->data);
  }
  return false;
}

}  // namespace

RegistryDocument parseRegistry(const std::string& text, const std::string& fileName) {
  RegistryDocument doc;
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    number++;
    while (!line.empty() && isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    line.erase(0, first);
    if (line[0] == ';' || line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00")
      continue;
    if (line[0] == '[' && line.back() == ']') {
      doc.keys.push_back(RegistryKey{line.substr(1, line.size() - 2), {}});
      continue;
    }
    RegistryValue value;
    if (!doc.keys.empty() && readValue(line, &value)) {
      doc.keys.back().values.push_back(value);
      continue;
    }
    fprintf(stderr, "quillon: %s:%d: cannot read this registry line; skipped\n",
            fileName.c_str(), number);
  }
  return doc;
}

std::string registryFilePath() { return windowsDirectory() + "/registry.reg"; }

RegistryDocument loadRegistry() {
  std::string path = registryFilePath();
  std::string text;
  if (readSettingsFile(path, &text) != FileRead::Read) {
    RegistryDocument doc;
    doc.keys.push_back(RegistryKey{"HKEY_CURRENT_USER\\Control Panel\\Desktop", {}});
    return doc;
  }
  // A UTF-8 byte-order mark (as Notepad writes one) is not part of the text.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  return parseRegistry(text, path);
}

bool registryKeyExists(const RegistryDocument& doc, const std::string& path) {
  for (const RegistryKey& key : doc.keys) {
    if (sameName(key.path, path)) return true;
    if (key.path.size() > path.size() && key.path[path.size()] == '\\' &&
        sameName(key.path.substr(0, path.size()), path))
      return true;
  }
  return false;
}

const RegistryValue* findRegistryValue(const RegistryDocument& doc, const std::string& keyPath,
                                       const std::string& valueName) {
  const RegistryValue* found = nullptr;
  for (const RegistryKey& key : doc.keys) {
    if (!sameName(key.path, keyPath)) continue;
    for (const RegistryValue& value : key.values)
      if (sameName(value.name, valueName)) found = &value;  // the last one counts
  }
  return found;
}
