// A feed document of any bytes to display lines (charset, mending, expat,
// fields, HTML reduction, wrapping), and the HTML reduction on its own. The
// first input byte chooses: top bit clear, the rest is a feed document; set,
// the rest is the HTML of one field.
//
// Properties: every line is valid UTF-8 of 1 to 255 characters (one outside
// the Basic Multilingual Plane counting two) without a line break or a blank
// at either end; the text stops soon after its limit.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "feed/feed_document.h"
#include "feed/html_text.h"
#include "feed/line_writer.h"
#include "feed/utf8_text.h"
#include "fuzz/fuzz_check.h"

namespace {

const size_t kLimit = 1u << 16;

void checkLines(const std::string& text) {
  fuzzCheck(validUtf8(text.data(), text.size()), "valid UTF-8");
  fuzzCheck(text.size() <= kLimit + 4 * maxLineChars + 1, "the text stops soon after its limit");
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    fuzzCheck(end != std::string::npos, "every line ends in a line feed");
    std::string line = text.substr(start, end - start);
    fuzzCheck(!line.empty(), "no empty line");
    fuzzCheck(line.find('\r') == std::string::npos, "no carriage return in a line");
    fuzzCheck(line.front() != ' ' && line.back() != ' ', "no blank at either end");
    int characters = 0;
    for (unsigned char c : line) {
      if ((c & 0xC0) != 0x80) characters += c >= 0xF0 ? 2 : 1;
    }
    fuzzCheck(characters <= maxLineChars, "at most 255 characters");
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* body = reinterpret_cast<const char*>(data) + 1;
  size_t length = size - 1;
  if ((data[0] & 0x80) == 0) {
    std::string text;
    if (feedDocumentText(body, length, nullptr, kLimit, &text)) checkLines(text);
    return 0;
  }
  if (!validUtf8(body, length)) return 0;  // a field's text is UTF-8
  LineWriter writer;
  writer.outLimit = kLimit;
  writeHtml(&writer, body, length);
  writeBreak(&writer);
  checkLines(writer.out);
  return 0;
}
