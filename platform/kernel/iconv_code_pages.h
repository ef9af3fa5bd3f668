// The code pages beyond Windows-1252 and UTF-8 that MultiByteToWideChar,
// WideCharToMultiByte, IsValidCodePage and GetCPInfo know: the windows-125x
// pages, ISO 8859-x, KOI8-R/U, the DOS and Mac Roman pages and the CJK
// multi-byte pages (932, 936, 949, 950, EUC-JP, ISO-2022-JP, GB18030),
// converted by glibc's iconv under the name it gives each page.
#ifndef QUILLON_PLATFORM_KERNEL_ICONV_CODE_PAGES_H
#define QUILLON_PLATFORM_KERNEL_ICONV_CODE_PAGES_H

#include <windows.h>

// True when `codePage` is one of these pages and iconv can convert it.
bool iconvCodePageKnown(UINT codePage);

// GetCPInfo's record of one of these pages; false when it is none of them.
bool iconvCodePageInfo(UINT codePage, CPINFO* info);

// The bodies of MultiByteToWideChar and WideCharToMultiByte for one of these
// pages, the arguments already checked: `out` of `capacity` units or bytes
// (0: count only). Return the count, or 0 with the last error set.
int iconvToWide(UINT codePage, DWORD flags, const char* text, size_t size, LPWSTR out, int capacity);
int iconvFromWide(UINT codePage, const WCHAR* wide, size_t size, LPSTR out, int capacity, char fallback,
                  bool* usedDefault);

#endif
