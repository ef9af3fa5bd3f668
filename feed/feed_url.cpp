// feed: URLs (see feed_url.h).
#include "feed/feed_url.h"

#include <stdio.h>
#include <strings.h>

bool feedInnerUrl(const char* url, char* inner, size_t size) {
  if (strncasecmp(url, "feed:", 5) != 0) return false;
  const char* rest = url + 5;
  snprintf(inner, size, "%s%s", rest[0] == '/' && rest[1] == '/' ? "http:" : "", rest);
  return true;
}
