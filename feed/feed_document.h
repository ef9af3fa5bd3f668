// RSS and Atom documents to display text. An RSS 0.9x/2.0 (<rss>), RSS 0.90,
// 1.0 or 1.1 (<rdf:RDF>), Atom (<feed>) or CDF (<CHANNEL>) document in any
// charset (feed/document_utf8.h) gives, for each item or entry, its title and
// then its description or summary (its content where it has neither; see
// feed/feed_fields.h), HTML in them reduced to text, as lines of UTF-8 of at
// most 255 characters, each followed by '\n'. Common faults are mended before
// the XML is parsed by expat (feed/markup_repair.h); external entities are
// never read and entity expansion is bounded. A document that breaks off
// gives the lines of the items it completed; one that turns malformed after
// its root gives those of every item before and after the fault.
#ifndef QUILLON_FEED_FEED_DOCUMENT_H
#define QUILLON_FEED_FEED_DOCUMENT_H

#include <stddef.h>

#include <string>

// Converts `document` of `length` bytes, received with the HTTP Content-Type
// `contentType` (null when unknown); returns false when it is not a feed (not
// XML, or XML of another root). The text stops at the line that reaches
// `limit` bytes.
bool feedDocumentText(const char* document, size_t length, const char* contentType, size_t limit,
                      std::string* text);

#endif
