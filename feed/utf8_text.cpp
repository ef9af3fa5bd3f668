// UTF-8 documents to the ANSI code page (see utf8_text.h).
//
// The whole text is checked first (MB_ERR_INVALID_CHARS), so that an invalid
// byte anywhere leaves it untouched; then it is converted block by block
// through one UTF-16 buffer of a block's size. A block's ANSI text is never
// longer than its UTF-8 text (every character of two or more UTF-8 bytes
// becomes at most two bytes), so it is written back in place behind what is
// already converted.
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

bool isValidUtf8(const char* text, size_t length) {
  for (size_t done = 0; done < length;) {
    size_t block = blockLength(text + done, length - done);
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text + done, static_cast<int>(block),
                            nullptr, 0) == 0) {
      return false;
    }
    done += block;
  }
  return true;
}

}  // namespace

size_t convertUtf8Text(char* text, size_t length) {
  size_t start = 0;
  if (length >= 3 && memcmp(text, kByteOrderMark, 3) == 0) {
    start = 3;
  } else if (!hasHighByte(text, length)) {
    return length;
  }
  if (!isValidUtf8(text + start, length - start)) return length;

  WCHAR* wide = static_cast<WCHAR*>(malloc(sizeof(WCHAR) * (length < kBlockBytes ? length + 1 : kBlockBytes)));
  if (wide == nullptr) return length;
  size_t written = 0;
  for (size_t done = start; done < length;) {
    size_t block = blockLength(text + done, length - done);
    int units = MultiByteToWideChar(CP_UTF8, 0, text + done, static_cast<int>(block), wide,
                                    static_cast<int>(block));
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, text + written,
                                    static_cast<int>(done + block - written), nullptr, nullptr);
    written += bytes > 0 ? static_cast<size_t>(bytes) : 0;
    if (bytes <= 0) break;  // cannot happen with the sizes above: the text ends there
    done += block;
  }
  free(wide);
  text[written] = 0;
  return written;
}
