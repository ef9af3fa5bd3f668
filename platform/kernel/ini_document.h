// An INI file held as its lines, for the private-profile functions. Lines are
// kept byte for byte (with their own line endings), so that a write changes
// only the line of the key it sets and keeps comments, blank lines, unknown
// keys and other sections exactly as they were. A UTF-8 byte-order mark at
// the start is set aside (a Notepad file reads like any other) and written
// back in front.
//
// Names of sections and keys match without regard to case (ASCII), and the
// first section or key of a name wins, as Win32 reads them. The lines are
// grouped by section, and each section indexes its keys by name, so a lookup
// or a new key costs the same in a file of a hundred thousand keys as in a
// file of ten.
#ifndef QUILLON_PLATFORM_KERNEL_INI_DOCUMENT_H
#define QUILLON_PLATFORM_KERNEL_INI_DOCUMENT_H

#include <stddef.h>

#include <string>
#include <unordered_map>
#include <vector>

struct IniSection {
  std::string name;                // as in its header, blanks around it dropped
  std::vector<std::string> lines;  // the header first, each with its line ending
  std::unordered_map<std::string, size_t> keys;  // lower-case name -> its first line
  size_t afterLastKey = 1;         // where a new key goes: behind the last one
};

struct IniDocument {
  std::string byteOrderMark;       // "\xEF\xBB\xBF" when the file began with one
  std::vector<std::string> leadingLines;  // before the first section header
  std::vector<IniSection> sections;       // in file order
  std::unordered_map<std::string, size_t> firstSection;  // lower-case name -> index
  std::string newline = "\n";      // the ending used for lines we add
  size_t bytes = 0;                // the length of the serialized text
};

IniDocument parseIni(const std::string& text);
std::string serializeIni(const IniDocument& doc);

// The value text of a key as Win32 reads it: blanks around it dropped and one
// pair of matching surrounding quotation marks (" or ') removed.
bool iniReadValue(const IniDocument& doc, const std::string& section, const std::string& key,
                  std::string* value);

// The names of the keys of a section, or of all sections, in file order.
std::vector<std::string> iniKeyNames(const IniDocument& doc, const std::string& section);
std::vector<std::string> iniSectionNames(const IniDocument& doc);

// Sets a key's value: an existing key keeps its place, a new key goes after
// the last entry of its section, a new section goes to the end of the file.
// Each edit returns whether the text changed.
bool iniSetValue(IniDocument* doc, const std::string& section, const std::string& key,
                 const std::string& value);
bool iniDeleteKey(IniDocument* doc, const std::string& section, const std::string& key);
bool iniDeleteSection(IniDocument* doc, const std::string& section);

#endif
