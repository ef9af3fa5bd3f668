// A feed document in UTF-8 (see document_utf8.h).
//
// The conversion works block by block through one UTF-16 buffer, so that
// only the UTF-8 result grows with the document. A block of a page whose
// characters may take more than one byte (GetCPInfo's MaxCharSize) ends after
// a line feed, which no such page uses inside a character, nor does
// ISO-2022-JP leave a line in a shifted state.
#include "feed/document_utf8.h"

#include <string.h>
#include <windows.h>

#include <vector>

#include "feed/charset_decision.h"
#include "feed/charset_names.h"
#include "feed/utf8_text.h"

namespace {

const size_t kBlockBytes = 1u << 20;

// Appends `count` UTF-16 units as UTF-8 (at most three bytes per unit).
void appendWide(const WCHAR* units, size_t count, std::string* out) {
  if (count == 0) return;
  size_t old = out->size();
  out->resize(old + 3 * count);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(count), &(*out)[old],
                                  static_cast<int>(3 * count), nullptr, nullptr);
  out->resize(old + (bytes > 0 ? static_cast<size_t>(bytes) : 0));
}

// UTF-16 or UTF-32 in either byte order; a cut last character is dropped.
void decodeWide(const unsigned char* bytes, size_t length, unsigned codePage, std::string* out) {
  bool wide32 = codePage == kCodePageUtf32Le || codePage == kCodePageUtf32Be;
  bool bigEndian = codePage == kCodePageUtf16Be || codePage == kCodePageUtf32Be;
  size_t unitBytes = wide32 ? 4 : 2;
  std::vector<WCHAR> units;
  units.reserve(kBlockBytes / 2 + 2);
  for (size_t i = 0; i + unitBytes <= length; i += unitBytes) {
    unsigned long value = 0;
    for (size_t k = 0; k < unitBytes; k++) {
      size_t shift = 8 * (bigEndian ? unitBytes - 1 - k : k);
      value |= static_cast<unsigned long>(bytes[i + k]) << shift;
    }
    if (wide32 && (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))) value = 0xFFFD;
    if (value >= 0x10000) {
      units.push_back(static_cast<WCHAR>(0xD800 + ((value - 0x10000) >> 10)));
      units.push_back(static_cast<WCHAR>(0xDC00 + ((value - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<WCHAR>(value));
    }
    // A block ends at a unit that is no high surrogate, so pairs stay whole.
    if (units.size() >= kBlockBytes / 2 && (units.back() < 0xD800 || units.back() > 0xDBFF)) {
      appendWide(units.data(), units.size(), out);
      units.clear();
    }
  }
  appendWide(units.data(), units.size(), out);
}

// A code page MultiByteToWideChar converts; false when it cannot.
bool decodePage(const char* text, size_t length, unsigned codePage, std::string* out) {
  CPINFO info;
  if (!IsValidCodePage(codePage) || !GetCPInfo(codePage, &info)) return false;
  std::vector<WCHAR> wide(length < kBlockBytes ? length : kBlockBytes);
  for (size_t done = 0; done < length;) {
    size_t block = length - done;
    if (block > kBlockBytes) {
      block = kBlockBytes;
      if (info.MaxCharSize > 1) {
        while (block > 0 && text[done + block - 1] != '\n') block--;
        if (block == 0) block = length - done;  // no line feed: the rest at once
      }
      if (block > wide.size()) wide.resize(block);
    }
    int units = MultiByteToWideChar(codePage, 0, text + done, static_cast<int>(block), wide.data(),
                                    static_cast<int>(wide.size()));
    if (units <= 0) return false;
    appendWide(wide.data(), static_cast<size_t>(units), out);
    done += block;
  }
  return true;
}

// UTF-8 whose stray bytes are read as windows-1252.
void mendUtf8(const char* text, size_t length, std::string* out) {
  char high[128];
  for (int i = 0; i < 128; i++) high[i] = static_cast<char>(0x80 + i);
  WCHAR highWide[128];
  MultiByteToWideChar(kCodePageWindows1252, 0, high, 128, highWide, 128);
  out->reserve(length + length / 8);
  size_t from = 0;
  for (size_t i = 0; i < length;) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t sequence = c < 0x80 ? 1 : utf8SequenceLength(text + i, length - i);
    if (sequence > 0) {
      i += sequence;
      continue;
    }
    out->append(text + from, i - from);
    appendWide(&highWide[c - 0x80], 1, out);
    i++;
    from = i;
  }
  out->append(text + from, length - from);
}

}  // namespace

void documentUtf8(const char* document, size_t length, const char* contentType, std::string* storage,
                  const char** text, size_t* textLength) {
  CharsetDecision decision = decideCharset(document, length, contentType);
  const char* body = document + decision.markLength;
  size_t bodyLength = length - decision.markLength;
  unsigned codePage = decision.codePage;
  storage->clear();
  if (codePage == kCodePageUtf8 && validUtf8(body, bodyLength)) {
    *text = body;
    *textLength = bodyLength;
    return;
  }
  // Room for twice the bytes (Cyrillic or Greek letters, CJK characters take
  // less), so that the text seldom moves while it grows.
  storage->reserve(2 * bodyLength + 64);
  if (codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be || codePage == kCodePageUtf32Le ||
      codePage == kCodePageUtf32Be) {
    decodeWide(reinterpret_cast<const unsigned char*>(body), bodyLength, codePage, storage);
  } else if (codePage == kCodePageUtf8 || !decodePage(body, bodyLength, codePage, storage)) {
    storage->clear();
    mendUtf8(body, bodyLength, storage);
  }
  *text = storage->data();
  *textLength = storage->size();
}
