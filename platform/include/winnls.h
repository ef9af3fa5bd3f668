// Code-page conversion of the POSIX layer (platform/kernel/code_pages.cpp):
// MultiByteToWideChar and WideCharToMultiByte between UTF-16 and UTF-8
// (CP_UTF8), the ANSI code page (CP_ACP), which is Windows-1252 here, as on
// a Western European Windows, or the other code pages a document may be
// written in (platform/kernel/iconv_code_pages.h); IsValidCodePage and
// GetCPInfo.
#ifndef QUILLON_PLATFORM_WINNLS_H
#define QUILLON_PLATFORM_WINNLS_H

#include "windef.h"

// UTF-16 code units, as Windows' 16-bit wchar_t.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef const WCHAR* LPCWCH;
typedef const char* LPCCH;
typedef BOOL* LPBOOL;

#define CP_ACP 0
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define MAX_LEADBYTES 12
#define MAX_DEFAULTCHAR 2

typedef struct _cpinfo {
  UINT MaxCharSize;
  BYTE DefaultChar[MAX_DEFAULTCHAR];
  BYTE LeadByte[MAX_LEADBYTES];
} CPINFO, *LPCPINFO;

#ifdef __cplusplus
extern "C" {
#endif

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByte, int multiByteCount,
                               LPWSTR wide, int wideCount);
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideCount,
                               LPSTR multiByte, int multiByteCount, LPCCH defaultChar,
                               LPBOOL usedDefaultChar);
BOOL WINAPI IsValidCodePage(UINT codePage);
BOOL WINAPI GetCPInfo(UINT codePage, LPCPINFO info);

#ifdef __cplusplus
}
#endif

#endif
