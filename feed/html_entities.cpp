// HTML character references (see html_entities.h).
#include "feed/html_entities.h"

#include <stdlib.h>
#include <string.h>
#include <windows.h>

namespace {

struct Entity {
  const char* name;
  unsigned long codePoint;
};

// Sorted by name, byte by byte, for a binary search.
const Entity kEntities[] = {
    {"AElig", 0x00C6}, {"Aacute", 0x00C1}, {"Acirc", 0x00C2}, {"Agrave", 0x00C0},
    {"Aring", 0x00C5}, {"Atilde", 0x00C3}, {"Auml", 0x00C4}, {"Ccedil", 0x00C7},
    {"Dagger", 0x2021}, {"ETH", 0x00D0}, {"Eacute", 0x00C9}, {"Ecirc", 0x00CA},
    {"Egrave", 0x00C8}, {"Euml", 0x00CB}, {"Iacute", 0x00CD}, {"Icirc", 0x00CE},
    {"Igrave", 0x00CC}, {"Iuml", 0x00CF}, {"Ntilde", 0x00D1}, {"OElig", 0x0152},
    {"Oacute", 0x00D3}, {"Ocirc", 0x00D4}, {"Ograve", 0x00D2}, {"Oslash", 0x00D8},
    {"Otilde", 0x00D5}, {"Ouml", 0x00D6}, {"Prime", 0x2033}, {"Scaron", 0x0160},
    {"THORN", 0x00DE}, {"Uacute", 0x00DA}, {"Ucirc", 0x00DB}, {"Ugrave", 0x00D9},
    {"Uuml", 0x00DC}, {"Yacute", 0x00DD}, {"Yuml", 0x0178}, {"aacute", 0x00E1},
    {"acirc", 0x00E2}, {"acute", 0x00B4}, {"aelig", 0x00E6}, {"agrave", 0x00E0}, {"amp", 0x0026},
    {"apos", 0x0027}, {"aring", 0x00E5}, {"atilde", 0x00E3}, {"auml", 0x00E4}, {"bdquo", 0x201E},
    {"brvbar", 0x00A6}, {"bull", 0x2022}, {"ccedil", 0x00E7}, {"cedil", 0x00B8},
    {"cent", 0x00A2}, {"circ", 0x02C6}, {"copy", 0x00A9}, {"curren", 0x00A4}, {"dagger", 0x2020},
    {"darr", 0x2193}, {"deg", 0x00B0}, {"divide", 0x00F7}, {"eacute", 0x00E9}, {"ecirc", 0x00EA},
    {"egrave", 0x00E8}, {"emsp", 0x2003}, {"ensp", 0x2002}, {"eth", 0x00F0}, {"euml", 0x00EB},
    {"euro", 0x20AC}, {"fnof", 0x0192}, {"frac12", 0x00BD}, {"frac14", 0x00BC},
    {"frac34", 0x00BE}, {"ge", 0x2265}, {"gt", 0x003E}, {"harr", 0x2194}, {"hellip", 0x2026},
    {"iacute", 0x00ED}, {"icirc", 0x00EE}, {"iexcl", 0x00A1}, {"igrave", 0x00EC},
    {"infin", 0x221E}, {"iquest", 0x00BF}, {"iuml", 0x00EF}, {"laquo", 0x00AB}, {"larr", 0x2190},
    {"ldquo", 0x201C}, {"le", 0x2264}, {"lrm", 0x200E}, {"lsaquo", 0x2039}, {"lsquo", 0x2018},
    {"lt", 0x003C}, {"macr", 0x00AF}, {"mdash", 0x2014}, {"micro", 0x00B5}, {"middot", 0x00B7},
    {"minus", 0x2212}, {"nbsp", 0x00A0}, {"ndash", 0x2013}, {"ne", 0x2260}, {"not", 0x00AC},
    {"ntilde", 0x00F1}, {"oacute", 0x00F3}, {"ocirc", 0x00F4}, {"oelig", 0x0153},
    {"ograve", 0x00F2}, {"oline", 0x203E}, {"ordf", 0x00AA}, {"ordm", 0x00BA},
    {"oslash", 0x00F8}, {"otilde", 0x00F5}, {"ouml", 0x00F6}, {"para", 0x00B6},
    {"permil", 0x2030}, {"plusmn", 0x00B1}, {"pound", 0x00A3}, {"prime", 0x2032},
    {"quot", 0x0022}, {"raquo", 0x00BB}, {"rarr", 0x2192}, {"rdquo", 0x201D}, {"reg", 0x00AE},
    {"rlm", 0x200F}, {"rsaquo", 0x203A}, {"rsquo", 0x2019}, {"sbquo", 0x201A},
    {"scaron", 0x0161}, {"sect", 0x00A7}, {"shy", 0x00AD}, {"sup1", 0x00B9}, {"sup2", 0x00B2},
    {"sup3", 0x00B3}, {"szlig", 0x00DF}, {"thinsp", 0x2009}, {"thorn", 0x00FE},
    {"tilde", 0x02DC}, {"times", 0x00D7}, {"trade", 0x2122}, {"uacute", 0x00FA},
    {"uarr", 0x2191}, {"ucirc", 0x00FB}, {"ugrave", 0x00F9}, {"uml", 0x00A8}, {"uuml", 0x00FC},
    {"yacute", 0x00FD}, {"yen", 0x00A5}, {"yuml", 0x00FF}, {"zwj", 0x200D}, {"zwnj", 0x200C},
};
const size_t kEntityCount = sizeof kEntities / sizeof kEntities[0];

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

}  // namespace

unsigned long htmlEntityCodePoint(const char* name, size_t length) {
  if (length > 0 && name[0] == '#') return numericCodePoint(name + 1, length - 1);
  size_t low = 0, high = kEntityCount;
  while (low < high) {
    size_t middle = (low + high) / 2;
    const char* candidate = kEntities[middle].name;
    int order = strncmp(candidate, name, length);
    if (order == 0 && candidate[length] != 0) order = 1;
    if (order < 0) {
      low = middle + 1;
    } else if (order > 0) {
      high = middle;
    } else {
      return kEntities[middle].codePoint;
    }
  }
  return 0;
}
