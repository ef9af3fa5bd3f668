// Windows-1252 to Unicode and back, and to UTF-8 (see codepage1252.h). Only 0x80-0x9F differ from
// ISO 8859-1, where every byte is its own code point.
#include "platform/gdi/codepage1252.h"

namespace {

const uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

uint32_t unicodeFromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
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

int windows1252FromUnicode(uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return int(code);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == code) return 0x80 + i;
  return -1;
}
