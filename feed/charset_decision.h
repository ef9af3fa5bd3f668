// The charset of a feed document, decided as feed readers decide it: a
// byte-order mark first, then the charset of the HTTP Content-Type, then the
// encoding of the XML declaration (UTF-16 and UTF-32 also recognised by the
// zero bytes around the declaration's '<'), then UTF-8 when the bytes are
// valid UTF-8 (or hold no more stray bytes than UTF-8 characters, which are
// then mended: feed/document_utf8.h), else windows-1252. A name no code page
// is known for counts as not given.
#ifndef QUILLON_FEED_CHARSET_DECISION_H
#define QUILLON_FEED_CHARSET_DECISION_H

#include <stddef.h>

struct CharsetDecision {
  unsigned codePage;  // a code page number (feed/charset_names.h)
  size_t markLength;  // the bytes of the byte-order mark, 0 when none
};

// `contentType` is the HTTP Content-Type header's value, null when unknown.
CharsetDecision decideCharset(const char* document, size_t length, const char* contentType);

// The charset parameter of a Content-Type value ("text/xml; charset=koi8-r"):
// its start in *name and length in *nameLength; false when there is none.
bool contentTypeCharset(const char* contentType, const char** name, size_t* nameLength);

#endif
