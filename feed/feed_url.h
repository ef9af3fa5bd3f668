// feed: URLs, the convention of feed links: "feed:https://...",
// "feed:http://...", "feed:file://..." name the URL after the prefix, and
// "feed://host/path" means "http://host/path". The document behind such a
// URL is read as an RSS or Atom feed (feed/feed_document.h).
#ifndef QUILLON_FEED_FEED_URL_H
#define QUILLON_FEED_FEED_URL_H

#include <stddef.h>

// When `url` starts with "feed:" (in any case), writes the URL to fetch into
// `inner` (capacity `size`, cut to fit and zero-terminated) and returns true;
// else returns false.
bool feedInnerUrl(const char* url, char* inner, size_t size);

#endif
