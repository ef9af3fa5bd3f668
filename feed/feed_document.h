// RSS and Atom documents to display text. An RSS 0.9x/2.0 (<rss>), RSS 0.90
// or 1.0 (<rdf:RDF>) or Atom (<feed>) document gives, for each item or
// entry, its title and then its description or summary (its content where
// it has neither), HTML in them reduced to text, as lines of UTF-8 of at most
// 255 characters, each followed by '\n'. The XML is parsed by expat; external
// entities are never read and entity expansion is bounded. A document that
// breaks off or turns malformed after its root gives the lines of the items
// it completed up to there.
#ifndef QUILLON_FEED_FEED_DOCUMENT_H
#define QUILLON_FEED_FEED_DOCUMENT_H

#include <stddef.h>

#include <string>

// Converts `document` of `length` bytes; returns false when it is not a feed
// (not XML, or XML of another root). The text stops at the line that reaches
// `limit` bytes.
bool feedDocumentText(const char* document, size_t length, size_t limit, std::string* text);

#endif
