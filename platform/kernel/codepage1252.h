// The Windows-1252 code page: the 8-bit text of TextOutA and the ANSI code
// page (CP_ACP) of the layer's MultiByteToWideChar and WideCharToMultiByte.
#ifndef QUILLON_PLATFORM_KERNEL_CODEPAGE1252_H
#define QUILLON_PLATFORM_KERNEL_CODEPAGE1252_H

#include <stdint.h>

#include <string>

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same value, as Windows' own conversion does.
uint32_t unicodeFromWindows1252(unsigned char byte);

// The Windows-1252 byte of a code point: its own byte when the code page
// holds it, else (bestFit) the closest plain character where one is obvious
// (accented Latin letters without their accent, spaces, dashes, primes,
// full-width ASCII); returns -1 when there is none.
int windows1252FromUnicode(uint32_t codePoint, bool bestFit);

// A zero-terminated Windows-1252 text in UTF-8 (window titles and clipboard
// text for X11).
std::string utf8FromWindows1252(const char* text);

#endif
