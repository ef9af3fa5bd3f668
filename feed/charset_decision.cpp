// The charset of a feed document (see charset_decision.h).
#include "feed/charset_decision.h"

#include <string.h>
#include <strings.h>

#include "feed/charset_names.h"
#include "feed/utf8_text.h"

namespace {

// How far into the document the XML declaration is looked for.
const size_t kDeclarationWindow = 1024;

bool startsWith(const char* text, size_t length, const char* prefix, size_t prefixLength) {
  return length >= prefixLength && memcmp(text, prefix, prefixLength) == 0;
}

CharsetDecision byteOrderMark(const char* document, size_t length) {
  struct Mark {
    const char* bytes;
    size_t length;
    unsigned codePage;
  } const marks[] = {  // UTF-32LE before UTF-16LE: its mark begins the same
      {"\xEF\xBB\xBF", 3, kCodePageUtf8},        {"\xFF\xFE\0\0", 4, kCodePageUtf32Le},
      {"\0\0\xFE\xFF", 4, kCodePageUtf32Be},     {"\xFF\xFE", 2, kCodePageUtf16Le},
      {"\xFE\xFF", 2, kCodePageUtf16Be},
  };
  for (const Mark& mark : marks) {
    if (startsWith(document, length, mark.bytes, mark.length)) return CharsetDecision{mark.codePage, mark.length};
  }
  return CharsetDecision{0, 0};
}

// A document without a mark whose first '<' has zero bytes around it.
unsigned wideWithoutMark(const char* document, size_t length) {
  if (startsWith(document, length, "<\0\0\0", 4)) return kCodePageUtf32Le;
  if (startsWith(document, length, "\0\0\0<", 4)) return kCodePageUtf32Be;
  if (startsWith(document, length, "<\0?\0", 4)) return kCodePageUtf16Le;
  if (startsWith(document, length, "\0<\0?", 4)) return kCodePageUtf16Be;
  return 0;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The encoding named by an XML declaration near the start, blanks before it
// allowed; 0 when there is none or it is unknown.
unsigned declaredCodePage(const char* document, size_t length) {
  size_t window = length < kDeclarationWindow ? length : kDeclarationWindow;
  size_t at = 0;
  while (at < window && isSpace(document[at])) at++;
  if (!startsWith(document + at, window - at, "<?xml", 5)) return 0;
  const char* end = static_cast<const char*>(memchr(document + at, '>', window - at));
  if (end == nullptr) return 0;
  const char* text = document + at;
  size_t declaration = static_cast<size_t>(end - text);
  for (size_t i = 0; i + 8 < declaration; i++) {
    if (strncmp(text + i, "encoding", 8) != 0) continue;
    size_t j = i + 8;
    while (j < declaration && isSpace(text[j])) j++;
    if (j >= declaration || text[j] != '=') return 0;
    j++;
    while (j < declaration && isSpace(text[j])) j++;
    if (j >= declaration || (text[j] != '"' && text[j] != '\'')) return 0;
    char quote = text[j++];
    size_t nameEnd = j;
    while (nameEnd < declaration && text[nameEnd] != quote) nameEnd++;
    return codePageOfCharset(text + j, nameEnd - j);
  }
  return 0;
}

bool isWide(unsigned codePage) {
  return codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be || codePage == kCodePageUtf32Le ||
         codePage == kCodePageUtf32Be;
}

// A claim of UTF-16 or UTF-32 for a document whose first two bytes are no
// zero bytes is wrong (a server or an editor converted it and kept the name).
unsigned plausible(unsigned codePage, const char* document, size_t length) {
  if (isWide(codePage) && length >= 2 && document[0] != 0 && document[1] != 0) return 0;
  return codePage;
}

// UTF-8 with at most as many stray bytes as multi-byte characters: a UTF-8
// document with a few windows-1252 bytes pasted in, which is read as UTF-8
// with those bytes mended; a Latin-1 document has next to no sequence that
// is valid UTF-8.
bool mostlyUtf8(const char* document, size_t length) {
  size_t characters = 0, stray = 0;
  for (size_t i = 0; i < length;) {
    if (static_cast<unsigned char>(document[i]) < 0x80) {
      i++;
      continue;
    }
    size_t sequence = utf8SequenceLength(document + i, length - i);
    if (sequence == 0) {
      stray++;
      i++;
    } else {
      characters++;
      i += sequence;
    }
  }
  return stray <= characters;
}

}  // namespace

bool contentTypeCharset(const char* contentType, const char** name, size_t* nameLength) {
  if (contentType == nullptr) return false;
  for (const char* at = strchr(contentType, ';'); at != nullptr; at = strchr(at + 1, ';')) {
    const char* parameter = at + 1;
    while (*parameter == ' ' || *parameter == '\t') parameter++;
    if (strncasecmp(parameter, "charset", 7) != 0) continue;
    const char* value = parameter + 7;
    while (*value == ' ' || *value == '\t') value++;
    if (*value != '=') continue;
    value++;
    while (*value == ' ' || *value == '\t') value++;
    bool quoted = *value == '"' || *value == '\'';
    if (quoted) value++;
    size_t valueLength = strcspn(value, quoted ? "\"'" : " \t;");
    if (valueLength == 0) return false;
    *name = value;
    *nameLength = valueLength;
    return true;
  }
  return false;
}

CharsetDecision decideCharset(const char* document, size_t length, const char* contentType) {
  CharsetDecision decision = byteOrderMark(document, length);
  if (decision.codePage != 0) return decision;
  const char* name = nullptr;
  size_t nameLength = 0;
  if (contentTypeCharset(contentType, &name, &nameLength)) {
    decision.codePage = plausible(codePageOfCharset(name, nameLength), document, length);
  }
  if (decision.codePage == 0) decision.codePage = wideWithoutMark(document, length);
  if (decision.codePage == 0) decision.codePage = plausible(declaredCodePage(document, length), document, length);
  if (decision.codePage == 0) decision.codePage = mostlyUtf8(document, length) ? kCodePageUtf8 : kCodePageWindows1252;
  return decision;
}
