// An INI file held as its lines, for the private-profile functions. Lines are
// kept byte for byte (with their own line endings), so that a write changes
// only the line of the key it sets and keeps comments, blank lines, unknown
// keys and other sections exactly as they were.
//
// Names of sections and keys match without regard to case (ASCII), and the
// first section or key of a name wins, as Win32 reads them.
#ifndef QUILLON_PLATFORM_KERNEL_INI_DOCUMENT_H
#define QUILLON_PLATFORM_KERNEL_INI_DOCUMENT_H

#include <string>
#include <vector>

struct IniDocument {
  std::vector<std::string> lines;  // each with its line ending, if it had one
  std::string newline = "\n";      // the ending used for lines we add
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
void iniSetValue(IniDocument* doc, const std::string& section, const std::string& key,
                 const std::string& value);
void iniDeleteKey(IniDocument* doc, const std::string& section, const std::string& key);
void iniDeleteSection(IniDocument* doc, const std::string& section);

#endif
