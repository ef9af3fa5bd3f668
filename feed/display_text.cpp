// A received document made ready for typing (see display_text.h).
#include "feed/display_text.h"

#include <stdlib.h>
#include <string.h>

#include <string>

#include "feed/feed_document.h"
#include "feed/utf8_text.h"

char* displayText(char* text, size_t* length, bool feed, const char* contentType, size_t limit) {
  std::string lines;
  if (feed && feedDocumentText(text, *length, contentType, limit, &lines)) {
    free(text);
    text = static_cast<char*>(malloc(lines.size() + 1));
    if (text == nullptr) return nullptr;
    memcpy(text, lines.data(), lines.size());
    text[lines.size()] = 0;
    *length = lines.size();
  }
  *length = convertUtf8Text(text, *length);
  return text;
}
