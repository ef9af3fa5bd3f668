// Reading and editing INI text line by line for the private-profile calls.
#include "platform/kernel/ini_document.h"

#include <strings.h>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The line without its line ending.
std::string content(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) end--;
  return line.substr(0, end);
}

std::string trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) begin++;
  while (end > begin && isBlank(text[end - 1])) end--;
  return text.substr(begin, end - begin);
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool sectionHeader(const std::string& line, std::string* name) {
  std::string text = trim(content(line));
  if (text.empty() || text[0] != '[') return false;
  size_t close = text.find(']');
  *name = trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// A key line: "name=value", not a comment, not a section header. A line
// without an equals sign holds no value: Win32 reads the default for it.
bool keyLine(const std::string& line, std::string* key, std::string* rawValue) {
  std::string text = trim(content(line));
  if (text.empty() || text[0] == ';' || text[0] == '[') return false;
  size_t eq = text.find('=');
  if (eq == std::string::npos) return false;
  *key = trim(text.substr(0, eq));
  *rawValue = trim(text.substr(eq + 1));
  return true;
}

std::string unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

// [header, end) of the first section of that name; header = npos if absent.
void findSection(const IniDocument& doc, const std::string& section, size_t* header,
                 size_t* end) {
  *header = *end = std::string::npos;
  std::string name;
  for (size_t i = 0; i < doc.lines.size(); i++) {
    if (!sectionHeader(doc.lines[i], &name)) continue;
    if (*header != std::string::npos) {
      *end = i;
      return;
    }
    if (sameName(name, section)) *header = i;
  }
  if (*header != std::string::npos) *end = doc.lines.size();
}

size_t findKey(const IniDocument& doc, size_t header, size_t end, const std::string& key) {
  std::string name, value;
  for (size_t i = header + 1; i < end; i++)
    if (keyLine(doc.lines[i], &name, &value) && sameName(name, key)) return i;
  return std::string::npos;
}

// Makes sure the line before an insertion point ends with a line ending.
void terminateLine(IniDocument* doc, size_t index) {
  std::string& line = doc->lines[index];
  if (line.empty() || line.back() != '\n') line += doc->newline;
}

}  // namespace

IniDocument parseIni(const std::string& text) {
  IniDocument doc;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t next = nl == std::string::npos ? text.size() : nl + 1;
    doc.lines.push_back(text.substr(start, next - start));
    start = next;
  }
  if (!doc.lines.empty()) {
    const std::string& first = doc.lines[0];
    if (first.size() >= 2 && first[first.size() - 2] == '\r' && first.back() == '\n')
      doc.newline = "\r\n";
  }
  return doc;
}

std::string serializeIni(const IniDocument& doc) {
  std::string text;
  for (const std::string& line : doc.lines) text += line;
  return text;
}

bool iniReadValue(const IniDocument& doc, const std::string& section, const std::string& key,
                  std::string* value) {
  size_t header, end;
  findSection(doc, section, &header, &end);
  if (header == std::string::npos) return false;
  size_t at = findKey(doc, header, end, key);
  if (at == std::string::npos) return false;
  std::string name, raw;
  keyLine(doc.lines[at], &name, &raw);
  *value = unquote(raw);
  return true;
}

std::vector<std::string> iniKeyNames(const IniDocument& doc, const std::string& section) {
  std::vector<std::string> names;
  size_t header, end;
  findSection(doc, section, &header, &end);
  std::string name, value;
  for (size_t i = header == std::string::npos ? end : header + 1; i < end; i++)
    if (keyLine(doc.lines[i], &name, &value)) names.push_back(name);
  return names;
}

std::vector<std::string> iniSectionNames(const IniDocument& doc) {
  std::vector<std::string> names;
  std::string name;
  for (const std::string& line : doc.lines)
    if (sectionHeader(line, &name)) names.push_back(name);
  return names;
}

void iniSetValue(IniDocument* doc, const std::string& section, const std::string& key,
                 const std::string& value) {
  size_t header, end;
  findSection(*doc, section, &header, &end);
  if (header == std::string::npos) {
    if (!doc->lines.empty()) terminateLine(doc, doc->lines.size() - 1);
    doc->lines.push_back("[" + section + "]" + doc->newline);
    doc->lines.push_back(key + "=" + value + doc->newline);
    return;
  }
  size_t at = findKey(*doc, header, end, key);
  if (at != std::string::npos) {
    // Keep the key's own spelling and the line's ending; replace the value.
    std::string& line = doc->lines[at];
    std::string ending = line.substr(content(line).size());
    std::string name, raw;
    keyLine(line, &name, &raw);
    line = name + "=" + value + ending;
    return;
  }
  // After the last entry of the section (blank lines and comments that
  // follow it stay below the new key).
  size_t insert = header + 1;
  std::string name, raw;
  for (size_t i = header + 1; i < end; i++)
    if (keyLine(doc->lines[i], &name, &raw)) insert = i + 1;
  terminateLine(doc, insert - 1);
  doc->lines.insert(doc->lines.begin() + static_cast<long>(insert), key + "=" + value + doc->newline);
}

void iniDeleteKey(IniDocument* doc, const std::string& section, const std::string& key) {
  size_t header, end;
  findSection(*doc, section, &header, &end);
  if (header == std::string::npos) return;
  size_t at = findKey(*doc, header, end, key);
  if (at != std::string::npos) doc->lines.erase(doc->lines.begin() + static_cast<long>(at));
}

void iniDeleteSection(IniDocument* doc, const std::string& section) {
  size_t header, end;
  findSection(*doc, section, &header, &end);
  if (header == std::string::npos) return;
  doc->lines.erase(doc->lines.begin() + static_cast<long>(header),
                   doc->lines.begin() + static_cast<long>(end));
}
