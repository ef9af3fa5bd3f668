// Base64 decoding (see base64_text.h).
#include "feed/base64_text.h"

namespace {

// The six bits of a base64 character; -1 for whitespace, -2 for any other.
int sextet(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+' || c == '-') return 62;  // with the URL-safe alphabet's
  if (c == '/' || c == '_') return 63;
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return -1;
  return -2;
}

}  // namespace

std::string decodeBase64(const char* text, size_t length) {
  std::string bytes;
  bytes.reserve(length / 4 * 3 + 3);
  unsigned long bits = 0;
  int count = 0;
  for (size_t i = 0; i < length; i++) {
    int value = sextet(static_cast<unsigned char>(text[i]));
    if (value == -1) continue;
    if (value == -2) break;
    bits = (bits << 6) | static_cast<unsigned long>(value);
    if (++count == 4) {
      bytes += static_cast<char>((bits >> 16) & 0xFF);
      bytes += static_cast<char>((bits >> 8) & 0xFF);
      bytes += static_cast<char>(bits & 0xFF);
      bits = 0;
      count = 0;
    }
  }
  if (count >= 2) bytes += static_cast<char>((bits >> (6 * count - 8)) & 0xFF);
  if (count == 3) bytes += static_cast<char>((bits >> 2) & 0xFF);
  return bytes;
}
