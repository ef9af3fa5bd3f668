// UTF-8 documents to the ANSI code page (see utf8_text.h).
//
// The text is converted block by block through one UTF-16 buffer of a
// block's size (MB_ERR_INVALID_CHARS) into an ANSI copy, which replaces the
// text only when every block was valid: an invalid byte anywhere leaves the
// text untouched. The ANSI text is never longer than the UTF-8 text (every
// character of two or more UTF-8 bytes becomes at most two bytes).
#include "feed/utf8_text.h"

#include <stdlib.h>
#include <string.h>
#include <windows.h>

namespace {

const size_t kBlockBytes = 1u << 20;
const unsigned char kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};

bool hasHighByte(const char* text, size_t length) {
  for (size_t i = 0; i < length; i++) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
  }
  return false;
}

// The length of the block starting at `text`: at most kBlockBytes, ending
// before a byte that starts a character (up to three continuation bytes are
// left to the next block).
size_t blockLength(const char* text, size_t left) {
  if (left <= kBlockBytes) return left;
  size_t length = kBlockBytes;
  for (int i = 0; i < 3 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80; i++) length--;
  return length;
}

}  // namespace

size_t utf8SequenceLength(const char* text, size_t left) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  unsigned char lead = bytes[0];
  if (lead < 0x80) return 1;
  size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
  if (length == 0 || length > left) return 0;
  // The second byte's range excludes overlong forms, surrogates and code
  // points past U+10FFFF.
  unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (bytes[1] < low || bytes[1] > high) return 0;
  for (size_t i = 2; i < length; i++) {
    if ((bytes[i] & 0xC0) != 0x80) return 0;
  }
  return length;
}

bool validUtf8(const char* text, size_t length) {
  for (size_t i = 0; i < length;) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      i++;
      continue;
    }
    size_t sequence = utf8SequenceLength(text + i, length - i);
    if (sequence == 0) return false;
    i += sequence;
  }
  return true;
}

size_t convertUtf8Text(char* text, size_t length) {
  size_t start = 0;
  if (length >= 3 && memcmp(text, kByteOrderMark, 3) == 0) {
    start = 3;
  } else if (!hasHighByte(text, length)) {
    return length;
  }
  WCHAR* wide = static_cast<WCHAR*>(malloc(sizeof(WCHAR) * (length < kBlockBytes ? length + 1 : kBlockBytes)));
  char* ansi = static_cast<char*>(malloc(length + 1));
  size_t written = 0;
  bool valid = wide != nullptr && ansi != nullptr;
  for (size_t done = start; valid && done < length;) {
    size_t block = blockLength(text + done, length - done);
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text + done, static_cast<int>(block),
                                    wide, static_cast<int>(block));
    int bytes = units > 0 ? WideCharToMultiByte(CP_ACP, 0, wide, units, ansi + written,
                                                static_cast<int>(length - written), nullptr, nullptr)
                          : 0;
    valid = bytes > 0;
    written += valid ? static_cast<size_t>(bytes) : 0;
    done += block;
  }
  if (valid) {
    memcpy(text, ansi, written);
    text[written] = 0;
  }
  free(wide);
  free(ansi);
  return valid ? written : length;
}
