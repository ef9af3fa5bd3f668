// HTML character references: the named entities a news text uses (those of
// Latin-1, the XML five, and the typographic ones of HTML 4) and numeric
// references, where 128-159 mean the Windows-1252 characters as browsers
// read them.
#ifndef QUILLON_FEED_HTML_ENTITIES_H
#define QUILLON_FEED_HTML_ENTITIES_H

#include <stddef.h>

// The code point of the reference whose text (between '&' and ';') is
// `name` of `length` bytes, e.g. "eacute", "#233" or "#xE9"; 0 when it is
// unknown or malformed. A numeric reference to no character (0, a surrogate,
// past U+10FFFF) gives U+FFFD.
unsigned long htmlEntityCodePoint(const char* name, size_t length);

#endif
