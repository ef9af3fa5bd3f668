// HTML reduced to text (see html_text.h). A '<' that starts no tag (not
// followed by a letter, '/', '!' or '?', or never closed by a '>') and a '&'
// that starts no known reference are text.
#include "feed/html_text.h"

#include <ctype.h>
#include <string.h>
#include <strings.h>

#include "feed/html_entities.h"

namespace {

// Elements whose start and end tags end the line.
const char* const kBreakingElements[] = {
    "address", "article", "blockquote", "br", "dd", "div", "dl", "dt", "figcaption", "figure",
    "footer", "h1", "h2", "h3", "h4", "h5", "h6", "header", "hr", "li", "ol", "p", "pre",
    "section", "table", "tr", "ul",
};

bool isBreaking(const char* name, size_t length) {
  for (const char* element : kBreakingElements) {
    if (strlen(element) == length && strncasecmp(element, name, length) == 0) return true;
  }
  return false;
}

// Table cells: each starts a new word, so that the cells of a row stay apart.
bool isCell(const char* name, size_t length) {
  return length == 2 && (strncasecmp(name, "td", 2) == 0 || strncasecmp(name, "th", 2) == 0);
}

// Finds `needle` (lower case) in text[from..length) regardless of case;
// returns its position or length when absent.
size_t findNoCase(const char* text, size_t from, size_t length, const char* needle) {
  size_t n = strlen(needle);
  for (size_t i = from; i + n <= length; i++) {
    if (strncasecmp(text + i, needle, n) == 0) return i;
  }
  return length;
}

// The end of the tag starting at html[start] ('<'): the position after its
// '>', quoted attribute values skipped; length when it does not end.
size_t tagEnd(const char* html, size_t start, size_t length) {
  char quote = 0;
  for (size_t i = start + 1; i < length; i++) {
    char c = html[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return length;
}

// Handles the markup at html[i] ('<'); returns the position after it, or i
// when the '<' is text.
size_t skipMarkup(LineWriter* writer, const char* html, size_t i, size_t length) {
  if (i + 1 >= length) return i;
  char next = html[i + 1];
  if (next == '!' && i + 3 < length && html[i + 2] == '-' && html[i + 3] == '-') {
    size_t close = findNoCase(html, i + 4, length, "-->");
    return close == length ? length : close + 3;
  }
  if (next == '!' || next == '?') return tagEnd(html, i, length);
  bool closing = next == '/';
  size_t nameStart = i + (closing ? 2 : 1);
  if (nameStart >= length || !isalpha(static_cast<unsigned char>(html[nameStart]))) return i;
  size_t nameEnd = nameStart;
  while (nameEnd < length && isalnum(static_cast<unsigned char>(html[nameEnd]))) nameEnd++;
  size_t nameLength = nameEnd - nameStart;
  size_t end = tagEnd(html, i, length);
  if (end == length && html[length - 1] != '>') return i;  // a '<' no tag follows: text
  if (isBreaking(html + nameStart, nameLength)) writeBreak(writer);
  if (isCell(html + nameStart, nameLength)) writeText(writer, " ", 1);
  if (!closing && ((nameLength == 6 && strncasecmp(html + nameStart, "script", 6) == 0) ||
                   (nameLength == 5 && strncasecmp(html + nameStart, "style", 5) == 0))) {
    const char* close = nameLength == 6 ? "</script" : "</style";
    size_t at = findNoCase(html, end, length, close);
    return at == length ? length : tagEnd(html, at, length);
  }
  return end;
}

// Handles the reference at html[i] ('&'); returns the position after it, or
// i when the '&' is text. A legacy name without its ';' counts too.
size_t decodeReference(LineWriter* writer, const char* html, size_t i, size_t length) {
  size_t start = i + 1;
  size_t end = start;
  while (end < length && end - start < 32 &&
         (isalnum(static_cast<unsigned char>(html[end])) || (end == start && html[end] == '#'))) {
    end++;
  }
  unsigned long codePoints[2];
  int count = end < length && html[end] == ';' ? htmlEntityCodePoints(html + start, end - start, codePoints) : 0;
  if (count > 0) {
    for (int k = 0; k < count; k++) writeCodePoint(writer, codePoints[k]);
    return end + 1;
  }
  size_t legacy = htmlLegacyEntity(html + start, end - start, &codePoints[0]);
  if (legacy == 0) return i;
  writeCodePoint(writer, codePoints[0]);
  return start + legacy;
}

}  // namespace

void writeHtml(LineWriter* writer, const char* html, size_t length) {
  size_t text = 0;  // the start of the text not yet written
  size_t i = 0;
  while (i < length && !writer->full) {
    char c = html[i];
    if (c != '<' && c != '&') {
      i++;
      continue;
    }
    writeText(writer, html + text, i - text);
    size_t next = c == '<' ? skipMarkup(writer, html, i, length) : decodeReference(writer, html, i, length);
    if (next == i) {
      writeText(writer, html + i, 1);
      next = i + 1;
    }
    i = next;
    text = i;
  }
  if (!writer->full) writeText(writer, html + text, length - text);
}
