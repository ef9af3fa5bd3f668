// Charset names as documents and HTTP headers give them ("Shift_JIS",
// "latin1", "windows-1251", ...) and the Windows code page each means: the
// one table both builds read, so that a name means the same page on Windows
// and on Linux. Names of ISO 8859-1 and US-ASCII mean windows-1252, as
// browsers and feed readers take them. UTF-16 and UTF-32 have the numbers
// Windows gives them (1200, 1201, 12000, 12001), which the application
// decodes itself: MultiByteToWideChar does not take them.
#ifndef QUILLON_FEED_CHARSET_NAMES_H
#define QUILLON_FEED_CHARSET_NAMES_H

#include <stddef.h>

const unsigned kCodePageUtf16Le = 1200;
const unsigned kCodePageUtf16Be = 1201;
const unsigned kCodePageUtf32Le = 12000;
const unsigned kCodePageUtf32Be = 12001;
const unsigned kCodePageWindows1252 = 1252;
const unsigned kCodePageUtf8 = 65001;

// The code page of the charset `name` of `length` bytes, in any case; 0 when
// the name is unknown.
unsigned codePageOfCharset(const char* name, size_t length);

#endif
