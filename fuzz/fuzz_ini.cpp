// The INI reader and writer of the layer's private-profile functions. The
// input is INI text, optionally followed by a zero byte and an edit: its
// first byte chooses set, delete key or delete section, the rest gives the
// section, key and value names (mapped to letters, digits and blanks).
//
// Properties: the text comes back byte for byte when nothing is edited; an
// edit changes at most the line it names (a set replaces or adds one line, a
// delete removes one key line or one section); the value set reads back, and
// reads back the same from the written text parsed afresh; the document's
// byte count matches its text.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/kernel/ini_document.h"

namespace {

// A name or value of letters, digits and inner blanks, never empty.
std::string plainText(const std::string& bytes, size_t from, size_t length) {
  const char alphabet[] = "abcXYZ019 _.";
  std::string text;
  for (size_t i = from; i < from + length && i < bytes.size(); i++)
    text += alphabet[static_cast<unsigned char>(bytes[i]) % (sizeof alphabet - 1)];
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text[0] == ' ') text.erase(0, 1);
  return text.empty() ? "k" : text;
}

// The part of `before` that differs from `after` once their common start
// and end are taken away, and the same part of `after`.
void differingMiddles(const std::string& before, const std::string& after,
                      std::string* beforeMiddle, std::string* afterMiddle) {
  size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
    prefix++;
  size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    suffix++;
  *beforeMiddle = before.substr(prefix, before.size() - prefix - suffix);
  *afterMiddle = after.substr(prefix, after.size() - prefix - suffix);
}

size_t newlines(const std::string& text) {
  size_t count = 0;
  for (char c : text) count += c == '\n';
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t zero = input.find('\0');
  std::string text = input.substr(0, zero);
  IniDocument doc = parseIni(text);
  fuzzCheck(serializeIni(doc) == text, "an unedited document is its text");
  fuzzCheck(doc.bytes == text.size(), "byte count of a parsed text");
  iniSectionNames(doc);
  if (zero == std::string::npos || zero + 1 >= input.size()) return 0;

  std::string edit = input.substr(zero + 1);
  int operation = static_cast<unsigned char>(edit[0]) % 3;
  std::string section = plainText(edit, 1, 4);
  std::string key = plainText(edit, 5, 4);
  std::string value = plainText(edit, 9, 8);
  bool changed = false;
  if (operation == 0) changed = iniSetValue(&doc, section, key, value);
  if (operation == 1) changed = iniDeleteKey(&doc, section, key);
  if (operation == 2) changed = iniDeleteSection(&doc, section);
  std::string after = serializeIni(doc);
  fuzzCheck(doc.bytes == after.size(), "byte count after an edit");
  fuzzCheck(changed == (after != text), "an edit tells whether it changed the text");

  std::string removed, added;
  differingMiddles(text, after, &removed, &added);
  if (operation == 0) {
    // One line replaced within itself, or lines added (with the line ending
    // of the line before them).
    fuzzCheck(newlines(removed) == 0, "a set keeps every other line");
    std::string read;
    fuzzCheck(iniReadValue(doc, section, key, &read) && read == value, "a set value reads back");
    std::string reread;
    IniDocument again = parseIni(after);
    fuzzCheck(iniReadValue(again, section, key, &reread) && reread == value,
              "a set value reads back from the written text");
  } else {
    // A delete takes one run of lines out and adds nothing.
    fuzzCheck(added.empty(), "a delete adds nothing");
    if (operation == 1) fuzzCheck(newlines(removed) <= 1, "a key delete removes one line");
  }
  return 0;
}
