// The Windows-1252 code page, in which TextOutA takes its 8-bit text.
#ifndef QUILLON_PLATFORM_GDI_CODEPAGE1252_H
#define QUILLON_PLATFORM_GDI_CODEPAGE1252_H

#include <stdint.h>

#include <string>

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same value, as Windows' own conversion does.
uint32_t unicodeFromWindows1252(unsigned char byte);

// A zero-terminated Windows-1252 text in UTF-8.
std::string utf8FromWindows1252(const char* text);

// The Windows-1252 byte of a Unicode code point; -1 when the code page has
// none.
int windows1252FromUnicode(uint32_t code);

#endif
