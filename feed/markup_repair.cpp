// The faults of real feeds mended before the XML parser (see
// markup_repair.h). One pass over the text: markup that is kept whole is
// copied up to its end, a start or end tag is copied with its attribute
// values mended, and text between them is mended. The names the DOCTYPE's
// internal subset declares as general entities are collected on the way.
#include "feed/markup_repair.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>
#include <string_view>

#include "feed/html_entities.h"

namespace {

struct Repair {
  const char* text;
  size_t length;
  size_t at = 0;
  std::string out;       // the mended text, once there is a change
  bool changed = false;
  size_t start = 0;      // where the text starts, blanks before it dropped
  size_t emitted = 0;    // until the first change: the text passed through so far
  std::set<std::string> declared;  // entities of the internal subset
};

bool isNameStart(unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c == ':' || c >= 0x80; }

bool isNameChar(unsigned char c) {
  return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// A control character XML 1.0 forbids.
bool isForbiddenControl(unsigned char c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

bool isXmlChar(unsigned long c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Passes text on. Until the first change it can only be the text that
// follows what passed before, so it is counted rather than copied: a document
// with nothing to mend costs no copy.
void put(Repair* r, const char* text, size_t length) {
  if (r->changed) {
    r->out.append(text, length);
  } else {
    r->emitted += length;
  }
}

void putChanged(Repair* r, const char* text) {
  if (!r->changed) {
    r->out.reserve(r->length + r->length / 64);
    r->out.assign(r->text + r->start, r->emitted - r->start);
    r->changed = true;
  }
  r->out += text;
}

void putReference(Repair* r, unsigned long codePoint) {
  char reference[16];
  snprintf(reference, sizeof reference, "&#%lu;", codePoint);
  putChanged(r, reference);
}

// Copies text[r->at..end) with forbidden control characters made blanks.
void copyThrough(Repair* r, size_t end) {
  size_t from = r->at;
  for (size_t i = r->at; i < end; i++) {
    if (static_cast<unsigned char>(r->text[i]) >= 0x20 || !isForbiddenControl(static_cast<unsigned char>(r->text[i]))) {
      continue;
    }
    put(r, r->text + from, i - from);
    putChanged(r, " ");
    from = i + 1;
  }
  put(r, r->text + from, end - from);
  r->at = end;
}

// The position after `terminator` from r->at on, or the end of the text.
size_t endAfter(const Repair* r, const char* terminator) {
  std::string_view rest(r->text + r->at, r->length - r->at);
  size_t found = rest.find(terminator);
  return found == std::string_view::npos ? r->length : r->at + found + strlen(terminator);
}

// The '&' at r->at.
void mendReference(Repair* r) {
  const char* text = r->text;
  size_t start = r->at + 1;
  size_t end = start;
  if (end < r->length && text[end] == '#') {
    end++;
    bool hex = end < r->length && (text[end] == 'x' || text[end] == 'X');
    if (hex) end++;
    size_t digits = end;
    while (end < r->length && end - digits < 8 &&
           (hex ? isxdigit(static_cast<unsigned char>(text[end])) : isdigit(static_cast<unsigned char>(text[end])))) {
      end++;
    }
    if (end == digits) {  // "&#" and no number: text
      putChanged(r, "&amp;");
      r->at = start;
      return;
    }
    unsigned long value = strtoul(std::string(text + digits, end - digits).c_str(), nullptr, hex ? 16 : 10);
    bool closed = end < r->length && text[end] == ';';
    if (closed && isXmlChar(value)) {
      put(r, text + r->at, end + 1 - r->at);
    } else {
      putReference(r, isXmlChar(value) ? value : 0xFFFD);
    }
    r->at = closed ? end + 1 : end;
    return;
  }
  while (end < r->length && end - start < 40 && isNameChar(static_cast<unsigned char>(text[end]))) end++;
  std::string_view name(text + start, end - start);
  if (end < r->length && text[end] == ';' && end > start) {
    bool known = name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
                 (!r->declared.empty() && r->declared.count(std::string(name)) > 0);
    unsigned long codePoints[2];
    int count = known ? 0 : htmlEntityCodePoints(name.data(), name.size(), codePoints);
    if (known) {
      put(r, text + r->at, end + 1 - r->at);
    } else if (count > 0) {
      for (int k = 0; k < count; k++) putReference(r, codePoints[k]);
    } else {
      putChanged(r, "&amp;");
      put(r, name.data(), name.size());
      put(r, ";", 1);
    }
    r->at = end + 1;
    return;
  }
  unsigned long codePoint = 0;
  size_t legacy = htmlLegacyEntity(text + start, end - start, &codePoint);
  if (legacy > 0) {  // "&copy 2024"
    putReference(r, codePoint);
    r->at = start + legacy;
  } else {
    putChanged(r, "&amp;");
    r->at = start;
  }
}

// The bytes text mending stops at: control characters, '&', '<' and the
// quotes that may end an attribute value.
struct SpecialBytes {
  bool table[256] = {};
  SpecialBytes() {
    for (int c = 0; c < 0x20; c++) table[c] = true;
    table[static_cast<unsigned char>('&')] = table[static_cast<unsigned char>('<')] = true;
    table[static_cast<unsigned char>('"')] = table[static_cast<unsigned char>('\'')] = true;
  }
  bool operator[](unsigned char c) const { return table[c]; }
};
const SpecialBytes kSpecial;

// Text up to the next '<' that starts markup, or up to `stop` (a quote
// closing an attribute value; 0 for none).
void mendText(Repair* r, char stop) {
  size_t from = r->at;
  while (r->at < r->length) {
    char c = r->text[r->at];
    if (!kSpecial[static_cast<unsigned char>(c)]) {  // most bytes
      r->at++;
      continue;
    }
    if (c == stop && stop != 0) break;
    unsigned char next = r->at + 1 < r->length ? static_cast<unsigned char>(r->text[r->at + 1]) : 0;
    bool markup = c == '<' && stop == 0 && (isNameStart(next) || next == '/' || next == '!' || next == '?');
    if (markup) break;
    if (c != '&' && c != '<' && !isForbiddenControl(static_cast<unsigned char>(c))) {
      r->at++;
      continue;
    }
    put(r, r->text + from, r->at - from);
    if (c == '&') {
      mendReference(r);
    } else {
      putChanged(r, c == '<' ? "&lt;" : " ");
      r->at++;
    }
    from = r->at;
  }
  put(r, r->text + from, r->at - from);
}

// A start or end tag at r->at: names copied, attribute values mended.
void mendTag(Repair* r) {
  while (r->at < r->length && r->text[r->at] != '>') {
    char c = r->text[r->at];
    if (c == '"' || c == '\'') {
      put(r, &c, 1);
      r->at++;
      mendText(r, c);
      if (r->at < r->length) {
        put(r, &c, 1);
        r->at++;
      }
    } else {
      size_t end = r->at + 1;
      while (end < r->length && r->text[end] != '>' && r->text[end] != '"' && r->text[end] != '\'') end++;
      copyThrough(r, end);
    }
  }
  if (r->at < r->length) copyThrough(r, r->at + 1);
}

// The DOCTYPE at r->at, its internal subset and the names it declares.
void keepDoctype(Repair* r) {
  size_t end = r->at;
  char quote = 0;
  int depth = 0;
  for (; end < r->length; end++) {
    char c = r->text[end];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      depth++;
    } else if (c == ']') {
      depth--;
    } else if (c == '>' && depth <= 0) {
      break;
    } else if (c == '<' && end + 8 < r->length && memcmp(r->text + end, "<!ENTITY", 8) == 0) {
      size_t name = end + 8;
      while (name < r->length && isspace(static_cast<unsigned char>(r->text[name]))) name++;
      size_t nameEnd = name;
      while (nameEnd < r->length && isNameChar(static_cast<unsigned char>(r->text[nameEnd]))) nameEnd++;
      if (nameEnd > name) r->declared.insert(std::string(r->text + name, nameEnd - name));
    }
  }
  copyThrough(r, end < r->length ? end + 1 : r->length);
}

}  // namespace

bool repairMarkup(const char* text, size_t length, std::string* repaired) {
  Repair r;
  r.text = text;
  r.length = length;
  while (r.at < length && (static_cast<unsigned char>(text[r.at]) <= ' ')) r.at++;  // blanks and controls
  r.start = r.at;
  r.emitted = r.at;
  if (r.start > 0) putChanged(&r, "");
  while (r.at < length) {
    const char* here = text + r.at;
    size_t left = length - r.at;
    if (left >= 4 && memcmp(here, "<!--", 4) == 0) {
      copyThrough(&r, endAfter(&r, "-->"));
    } else if (left >= 9 && memcmp(here, "<![CDATA[", 9) == 0) {
      copyThrough(&r, endAfter(&r, "]]>"));
    } else if (left >= 2 && memcmp(here, "<?", 2) == 0) {
      copyThrough(&r, endAfter(&r, "?>"));
    } else if (left >= 9 && memcmp(here, "<!DOCTYPE", 9) == 0) {
      keepDoctype(&r);
    } else if (here[0] == '<' && left >= 2 &&
               (isNameStart(static_cast<unsigned char>(here[1])) || here[1] == '/' || here[1] == '!')) {
      mendTag(&r);
    } else {
      mendText(&r, 0);
    }
  }
  if (!r.changed) return false;
  repaired->swap(r.out);
  return true;
}
