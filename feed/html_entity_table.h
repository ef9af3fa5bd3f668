// The named character references of HTML5 (feed/html_entity_table.cpp,
// written by scripts/generate-html-entities).
#ifndef QUILLON_FEED_HTML_ENTITY_TABLE_H
#define QUILLON_FEED_HTML_ENTITY_TABLE_H

#include <stddef.h>

struct HtmlEntity {
  const char* name;               // without '&' and ';'
  unsigned long codePoints[2];    // the second 0 when there is one
  bool legacy;                    // may also be written without ';'
};

// Sorted by name, byte by byte.
extern const HtmlEntity kHtmlEntities[];
extern const size_t kHtmlEntityCount;

#endif
