// Reading and editing INI text line by line for the private-profile calls.
#include "platform/kernel/ini_document.h"

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

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

// Names compare without regard to ASCII case: they are indexed in lower case.
std::string lowerCase(const std::string& name) {
  std::string lower = name;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
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

// Rebuilds a section's key index from its lines.
void indexKeys(IniSection* section) {
  section->keys.clear();
  section->afterLastKey = 1;
  std::string name, value;
  for (size_t i = 1; i < section->lines.size(); i++) {
    if (!keyLine(section->lines[i], &name, &value)) continue;
    section->keys.emplace(lowerCase(name), i);  // the first of a name stays
    section->afterLastKey = i + 1;
  }
}

void indexSections(IniDocument* doc) {
  doc->firstSection.clear();
  for (size_t i = 0; i < doc->sections.size(); i++)
    doc->firstSection.emplace(lowerCase(doc->sections[i].name), i);
}

const IniSection* findSection(const IniDocument& doc, const std::string& name) {
  auto found = doc.firstSection.find(lowerCase(name));
  return found == doc.firstSection.end() ? nullptr : &doc.sections[found->second];
}

IniSection* findSection(IniDocument* doc, const std::string& name) {
  auto found = doc->firstSection.find(lowerCase(name));
  return found == doc->firstSection.end() ? nullptr : &doc->sections[found->second];
}

// The last line of the document, or null when it has none.
std::string* lastLine(IniDocument* doc) {
  for (size_t i = doc->sections.size(); i > 0; i--)
    if (!doc->sections[i - 1].lines.empty()) return &doc->sections[i - 1].lines.back();
  return doc->leadingLines.empty() ? nullptr : &doc->leadingLines.back();
}

// Makes sure a line before an insertion point ends with a line ending.
void terminateLine(IniDocument* doc, std::string* line) {
  if (line == nullptr || (!line->empty() && line->back() == '\n')) return;
  *line += doc->newline;
  doc->bytes += doc->newline.size();
}

}  // namespace

IniDocument parseIni(const std::string& text) {
  IniDocument doc;
  size_t start = 0;
  if (text.compare(0, 3, kByteOrderMark) == 0) {
    doc.byteOrderMark = kByteOrderMark;
    start = 3;
  }
  doc.bytes = text.size();
  bool first = true;
  std::string name;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t next = nl == std::string::npos ? text.size() : nl + 1;
    std::string line = text.substr(start, next - start);
    start = next;
    if (first && line.size() >= 2 && line[line.size() - 2] == '\r' && line.back() == '\n')
      doc.newline = "\r\n";
    first = false;
    if (sectionHeader(line, &name)) {
      doc.sections.push_back(IniSection());
      doc.sections.back().name = name;
      doc.sections.back().lines.push_back(line);
    } else if (doc.sections.empty()) {
      doc.leadingLines.push_back(line);
    } else {
      doc.sections.back().lines.push_back(line);
    }
  }
  for (IniSection& section : doc.sections) indexKeys(&section);
  indexSections(&doc);
  return doc;
}

std::string serializeIni(const IniDocument& doc) {
  std::string text;
  text.reserve(doc.bytes);
  text += doc.byteOrderMark;
  for (const std::string& line : doc.leadingLines) text += line;
  for (const IniSection& section : doc.sections)
    for (const std::string& line : section.lines) text += line;
  return text;
}

bool iniReadValue(const IniDocument& doc, const std::string& section, const std::string& key,
                  std::string* value) {
  const IniSection* found = findSection(doc, section);
  if (found == nullptr) return false;
  auto at = found->keys.find(lowerCase(key));
  if (at == found->keys.end()) return false;
  std::string name, raw;
  keyLine(found->lines[at->second], &name, &raw);
  *value = unquote(raw);
  return true;
}

std::vector<std::string> iniKeyNames(const IniDocument& doc, const std::string& section) {
  std::vector<std::string> names;
  const IniSection* found = findSection(doc, section);
  if (found == nullptr) return names;
  std::string name, value;
  for (size_t i = 1; i < found->lines.size(); i++)
    if (keyLine(found->lines[i], &name, &value)) names.push_back(name);
  return names;
}

std::vector<std::string> iniSectionNames(const IniDocument& doc) {
  std::vector<std::string> names;
  for (const IniSection& section : doc.sections) names.push_back(section.name);
  return names;
}

bool iniSetValue(IniDocument* doc, const std::string& section, const std::string& key,
                 const std::string& value) {
  IniSection* found = findSection(doc, section);
  if (found == nullptr) {
    terminateLine(doc, lastLine(doc));
    IniSection added;
    added.name = section;
    added.lines.push_back("[" + section + "]" + doc->newline);
    added.lines.push_back(key + "=" + value + doc->newline);
    added.keys.emplace(lowerCase(key), 1);
    added.afterLastKey = 2;
    doc->bytes += added.lines[0].size() + added.lines[1].size();
    doc->sections.push_back(added);
    doc->firstSection.emplace(lowerCase(section), doc->sections.size() - 1);
    return true;
  }
  auto at = found->keys.find(lowerCase(key));
  if (at != found->keys.end()) {
    // Keep the key's own spelling and the line's ending; replace the value.
    std::string& line = found->lines[at->second];
    std::string ending = line.substr(content(line).size());
    std::string name, raw;
    keyLine(line, &name, &raw);
    std::string replaced = name + "=" + value + ending;
    if (replaced == line) return false;
    doc->bytes = doc->bytes - line.size() + replaced.size();
    line = replaced;
    return true;
  }
  // After the last entry of the section (blank lines and comments that
  // follow it stay below the new key); no key line comes after it, so the
  // index stays true.
  size_t insert = found->afterLastKey;
  terminateLine(doc, &found->lines[insert - 1]);
  std::string line = key + "=" + value + doc->newline;
  doc->bytes += line.size();
  found->lines.insert(found->lines.begin() + static_cast<long>(insert), line);
  found->keys.emplace(lowerCase(key), insert);
  found->afterLastKey = insert + 1;
  return true;
}

bool iniDeleteKey(IniDocument* doc, const std::string& section, const std::string& key) {
  IniSection* found = findSection(doc, section);
  if (found == nullptr) return false;
  auto at = found->keys.find(lowerCase(key));
  if (at == found->keys.end()) return false;
  doc->bytes -= found->lines[at->second].size();
  found->lines.erase(found->lines.begin() + static_cast<long>(at->second));
  indexKeys(found);
  return true;
}

bool iniDeleteSection(IniDocument* doc, const std::string& section) {
  auto at = doc->firstSection.find(lowerCase(section));
  if (at == doc->firstSection.end()) return false;
  for (const std::string& line : doc->sections[at->second].lines) doc->bytes -= line.size();
  doc->sections.erase(doc->sections.begin() + static_cast<long>(at->second));
  indexSections(doc);
  return true;
}
