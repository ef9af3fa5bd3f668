// Windows-1252 to Unicode and back (see codepage1252.h). Only 0x80-0x9F
// differ from ISO 8859-1, where every byte is its own code point. The best
// fit covers the characters a news text uses that the code page lacks; it
// follows Windows' best-fit table for the code page where that table is plain
// and leaves out its less obvious choices.
#include "platform/kernel/codepage1252.h"

#include <stddef.h>

namespace {

const uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// Latin Extended-A (U+0100-U+017F) without accents, sixteen to a row; '?'
// where the letter has no plain counterpart or the code page holds it.
const char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDd"  // U+0100
    "DdEeEeEeEeEeGgGg"  // U+0110
    "GgGgHhHhIiIiIiIi"  // U+0120
    "Ii??JjKk?LlLlLlL"  // U+0130
    "lLlNnNnNn???OoOo"  // U+0140
    "Oo??RrRrRrSsSsSs"  // U+0150
    "??TtTtTtUuUuUuUu"  // U+0160
    "UuUuWwYy?ZzZz???";  // U+0170

struct Pair {
  uint16_t codePoint;
  uint8_t byte;
};

// The characters of 0x80-0x9F (kHighControls), in code point order.
const Pair kHighCharacters[] = {
    {0x0081, 0x81}, {0x008D, 0x8D}, {0x008F, 0x8F}, {0x0090, 0x90}, {0x009D, 0x9D}, {0x0152, 0x8C},
    {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0178, 0x9F}, {0x017D, 0x8E}, {0x017E, 0x9E},
    {0x0192, 0x83}, {0x02C6, 0x88}, {0x02DC, 0x98}, {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91},
    {0x2019, 0x92}, {0x201A, 0x82}, {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x2022, 0x95}, {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B}, {0x203A, 0x9B},
    {0x20AC, 0x80}, {0x2122, 0x99},
};

// Punctuation and spaces outside the code page, in code point order.
const Pair kPunctuation[] = {
    {0x2000, ' '}, {0x2001, ' '}, {0x2002, ' '}, {0x2003, ' '}, {0x2004, ' '},
    {0x2005, ' '}, {0x2006, ' '}, {0x2007, ' '}, {0x2008, ' '}, {0x2009, ' '},
    {0x200A, ' '}, {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2015, '-'},
    {0x201B, '\''}, {0x201F, '"'}, {0x2024, '.'}, {0x2027, '-'}, {0x202F, ' '},
    {0x2032, '\''}, {0x2033, '"'}, {0x2035, '`'}, {0x2043, '-'}, {0x205F, ' '},
    {0x2212, '-'}, {0x2215, '/'}, {0x2216, '\\'}, {0x2217, '*'}, {0x2223, '|'},
    {0x2236, ':'}, {0x223C, '~'}, {0x3000, ' '},
};

// The byte of a code point in a table in code point order; -1 when absent.
int lookUp(const Pair* table, size_t count, uint32_t codePoint) {
  size_t low = 0, high = count;
  while (low < high) {
    size_t middle = (low + high) / 2;
    if (table[middle].codePoint < codePoint) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low < count && table[low].codePoint == codePoint ? table[low].byte : -1;
}

int bestFitOf(uint32_t codePoint) {
  if (codePoint >= 0x0100 && codePoint <= 0x017F) {
    char plain = kLatinExtendedA[codePoint - 0x0100];
    if (plain != '?') return static_cast<unsigned char>(plain);
    return -1;
  }
  if (codePoint >= 0xFF01 && codePoint <= 0xFF5E) return static_cast<int>(codePoint - 0xFF01 + 0x21);
  return lookUp(kPunctuation, sizeof kPunctuation / sizeof kPunctuation[0], codePoint);
}

}  // namespace

uint32_t unicodeFromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int windows1252FromUnicode(uint32_t codePoint, bool bestFit) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
  int byte = lookUp(kHighCharacters, sizeof kHighCharacters / sizeof kHighCharacters[0], codePoint);
  if (byte >= 0) return byte;
  return bestFit ? bestFitOf(codePoint) : -1;
}

std::string utf8FromWindows1252(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    uint32_t code = unicodeFromWindows1252(*p);
    if (code < 0x80) {
      out += char(code);
    } else if (code < 0x800) {
      out += char(0xC0 | (code >> 6));
      out += char(0x80 | (code & 0x3F));
    } else {
      out += char(0xE0 | (code >> 12));
      out += char(0x80 | ((code >> 6) & 0x3F));
      out += char(0x80 | (code & 0x3F));
    }
  }
  return out;
}
