// HTML character references: every named reference of HTML5
// (feed/html_entity_table.h), the legacy ones also without their ';', and
// numeric references, where 128-159 mean the Windows-1252 characters as
// browsers read them.
#ifndef QUILLON_FEED_HTML_ENTITIES_H
#define QUILLON_FEED_HTML_ENTITIES_H

#include <stddef.h>

// The code points of the reference whose text (between '&' and ';') is
// `name` of `length` bytes, e.g. "eacute", "#233" or "#xE9", in
// codePoints[0] and, for the few names of two characters, codePoints[1];
// returns how many (1 or 2), 0 when it is unknown or malformed. A numeric
// reference to no character (0, a surrogate, past U+10FFFF) gives U+FFFD.
int htmlEntityCodePoints(const char* name, size_t length, unsigned long codePoints[2]);

// A legacy reference written without its ';' ("&copy 2024"): the length of
// the longest legacy name `text` of `length` bytes starts with, its code
// point in *codePoint; 0 when it starts with none.
size_t htmlLegacyEntity(const char* text, size_t length, unsigned long* codePoint);

#endif
