// The Windows-1252 code page, in which TextOutA takes its 8-bit text.
#ifndef QUILLON_PLATFORM_GDI_CODEPAGE1252_H
#define QUILLON_PLATFORM_GDI_CODEPAGE1252_H

#include <stdint.h>

// The Unicode code point of a Windows-1252 byte. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same value, as Windows' own conversion does.
uint32_t unicodeFromWindows1252(unsigned char byte);

#endif
