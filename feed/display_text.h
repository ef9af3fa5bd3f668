// What the fetcher makes of a received document before cutting it into lines
// at CR and LF: the document behind a feed: URL becomes the lines of its
// items when it is an RSS or Atom feed (feed/feed_document.h); then a UTF-8
// text is converted to the ANSI code page (feed/utf8_text.h). Any other
// document comes back byte for byte.
#ifndef QUILLON_FEED_DISPLAY_TEXT_H
#define QUILLON_FEED_DISPLAY_TEXT_H

#include <stddef.h>

// Takes the zero-terminated text of *length bytes (allocated with malloc)
// and returns the text to cut into lines with its length in *length: the same
// buffer, or a new one when the old one was released. `contentType` is the
// HTTP Content-Type the document came with (null when unknown), which may
// name a feed's charset. `limit` bounds the text a feed gives. Returns null
// (the text released) when memory runs out.
char* displayText(char* text, size_t* length, bool feed, const char* contentType, size_t limit);

#endif
