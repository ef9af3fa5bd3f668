// A feed document in UTF-8, whatever its charset (feed/charset_decision.h):
// UTF-16 and UTF-32 are decoded here; any other code page goes through
// MultiByteToWideChar and then WideCharToMultiByte(CP_UTF8). In a document
// taken as UTF-8, each byte that is not part of well-formed UTF-8 is read as
// windows-1252, as feed readers do; so is a document whose code page this
// system cannot convert.
#ifndef QUILLON_FEED_DOCUMENT_UTF8_H
#define QUILLON_FEED_DOCUMENT_UTF8_H

#include <stddef.h>

#include <string>

// Sets *text and *textLength to the UTF-8 text of `document` (`length`
// bytes; `contentType` the HTTP Content-Type, null when unknown), the
// byte-order mark left out: the document itself when it is valid UTF-8, else
// `storage`, which then holds the conversion.
void documentUtf8(const char* document, size_t length, const char* contentType, std::string* storage,
                  const char** text, size_t* textLength);

#endif
