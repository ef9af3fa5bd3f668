// URLs without their user-info part (see shown_url.h).
#include "feed/shown_url.h"

std::string shownUrl(const char* url) {
  std::string text = url != nullptr ? url : "";
  size_t scheme = text.find("://");
  if (scheme == std::string::npos) return text;
  size_t authority = scheme + 3;
  size_t end = text.find_first_of("/?#", authority);
  if (end == std::string::npos) end = text.size();
  size_t at = text.rfind('@', end == 0 ? 0 : end - 1);
  if (at == std::string::npos || at < authority) return text;
  text.erase(authority, at + 1 - authority);
  return text;
}
