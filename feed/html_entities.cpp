// HTML character references (see html_entities.h).
#include "feed/html_entities.h"

#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "feed/html_entity_table.h"

namespace {

unsigned long numericCodePoint(const char* digits, size_t length) {
  int base = 10;
  if (length > 0 && (digits[0] == 'x' || digits[0] == 'X')) {
    base = 16;
    digits++;
    length--;
  }
  if (length == 0 || length > 8) return length == 0 ? 0 : 0xFFFD;
  char text[9];
  memcpy(text, digits, length);
  text[length] = 0;
  char* end = nullptr;
  unsigned long value = strtoul(text, &end, base);
  if (*end != 0 || text[0] == '-' || text[0] == '+' || text[0] == ' ') return 0;
  if (value >= 0x80 && value <= 0x9F) {  // Windows-1252, as browsers read it
    char byte = static_cast<char>(value);
    WCHAR wide = 0;
    if (MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1) == 1) return wide;
  }
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0xFFFD;
  return value;
}

// The entity named by name[0..length), or null.
const HtmlEntity* findEntity(const char* name, size_t length) {
  size_t low = 0, high = kHtmlEntityCount;
  while (low < high) {
    size_t middle = (low + high) / 2;
    const char* candidate = kHtmlEntities[middle].name;
    int order = strncmp(candidate, name, length);
    if (order == 0 && candidate[length] != 0) order = 1;
    if (order < 0) {
      low = middle + 1;
    } else if (order > 0) {
      high = middle;
    } else {
      return &kHtmlEntities[middle];
    }
  }
  return nullptr;
}

}  // namespace

int htmlEntityCodePoints(const char* name, size_t length, unsigned long codePoints[2]) {
  if (length > 0 && name[0] == '#') {
    codePoints[0] = numericCodePoint(name + 1, length - 1);
    return codePoints[0] == 0 ? 0 : 1;
  }
  const HtmlEntity* entity = findEntity(name, length);
  if (entity == nullptr) return 0;
  codePoints[0] = entity->codePoints[0];
  codePoints[1] = entity->codePoints[1];
  return codePoints[1] == 0 ? 1 : 2;
}

size_t htmlLegacyEntity(const char* text, size_t length, unsigned long* codePoint) {
  // The legacy names are two to six letters long.
  for (size_t n = length < 6 ? length : 6; n >= 2; n--) {
    const HtmlEntity* entity = findEntity(text, n);
    if (entity != nullptr && entity->legacy) {
      *codePoint = entity->codePoints[0];
      return n;
    }
  }
  return 0;
}
