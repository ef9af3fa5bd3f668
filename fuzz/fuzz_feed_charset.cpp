// The charset decision and the conversion of a feed document to UTF-8. The
// first input byte gives the length (0 to 63) of a Content-Type value taken
// from the bytes after it (none when the byte's top bit is set); the rest is
// the document.
//
// Properties: the text is valid UTF-8 whatever the bytes; a document of a
// single-byte page is converted to at least one character per byte; the
// decision is the same when the document is decided again.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "feed/charset_decision.h"
#include "feed/document_utf8.h"
#include "feed/utf8_text.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  bool hasType = (data[0] & 0x80) == 0;
  size_t typeLength = data[0] & 0x3F;
  if (size < 1 + typeLength) return 0;
  std::string contentType(reinterpret_cast<const char*>(data) + 1, typeLength);
  contentType = contentType.c_str();  // up to a zero byte, as a header value is
  std::string document(reinterpret_cast<const char*>(data) + 1 + typeLength, size - 1 - typeLength);
  const char* type = hasType ? contentType.c_str() : nullptr;

  CharsetDecision first = decideCharset(document.data(), document.size(), type);
  CharsetDecision again = decideCharset(document.data(), document.size(), type);
  fuzzCheck(first.codePage == again.codePage && first.markLength == again.markLength, "the same decision");
  fuzzCheck(first.markLength <= document.size(), "the mark lies in the document");

  std::string storage;
  const char* text = nullptr;
  size_t length = 0;
  documentUtf8(document.data(), document.size(), type, &storage, &text, &length);
  fuzzCheck(text != nullptr, "a text");
  fuzzCheck(validUtf8(text, length), "the text is valid UTF-8");
  if (first.codePage == 1252 || first.codePage == 1251 || first.codePage == 20866) {
    size_t characters = 0;
    for (size_t i = 0; i < length; i++) characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    fuzzCheck(characters == document.size() - first.markLength, "one character per byte of a single-byte page");
  }
  return 0;
}
