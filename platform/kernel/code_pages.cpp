// Code-page conversion: MultiByteToWideChar and WideCharToMultiByte for
// CP_UTF8, CP_ACP, which the layer fixes at Windows-1252 (also accepted by
// its number, 1252), and the pages iconv converts (iconv_code_pages.h);
// IsValidCodePage and GetCPInfo for all of them.
//
// As on Windows: a count of -1 means the text runs to its zero terminator,
// which is then converted too; an output count of 0 asks for the size needed;
// an output that is too small fails with ERROR_INSUFFICIENT_BUFFER. UTF-8
// input that is not well formed (overlong forms, surrogates, code points past
// U+10FFFF, cut sequences) fails with ERROR_NO_UNICODE_TRANSLATION under
// MB_ERR_INVALID_CHARS and becomes U+FFFD otherwise. Into Windows-1252 a
// character the code page lacks becomes its best fit unless
// WC_NO_BEST_FIT_CHARS is given, else the default character ('?' unless one
// is passed); a surrogate pair becomes one default character. Into UTF-8 an
// unpaired surrogate becomes U+FFFD, or fails with
// ERROR_NO_UNICODE_TRANSLATION under WC_ERR_INVALID_CHARS; a default
// character may not be asked for there. A code page none of these know fails
// with ERROR_INVALID_PARAMETER.
#include <string.h>
#include <windows.h>

#include "platform/kernel/codepage1252.h"
#include "platform/kernel/iconv_code_pages.h"

namespace {

const UINT kWindows1252 = 1252;

bool isAnsi(UINT codePage) { return codePage == CP_ACP || codePage == kWindows1252; }

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Decodes one UTF-8 sequence at text[0..left): stores its code point and
// returns its length, or returns 0 when it is not well formed and stores in *badLength
// the length of its longest well-formed beginning (at least 1).
size_t decodeUtf8(const unsigned char* text, size_t left, uint32_t* codePoint, size_t* badLength) {
  unsigned char lead = text[0];
  size_t length;
  uint32_t value;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead < 0xC2) {
    *badLength = 1;
    return 0;
  } else if (lead < 0xE0) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead < 0xF0) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead < 0xF5) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    *badLength = 1;
    return 0;
  }
  for (size_t i = 1; i < length; i++) {
    unsigned char byte = i < left ? text[i] : 0;
    bool ok = i == 1 ? (byte >= low && byte <= high) : (byte >= 0x80 && byte <= 0xBF);
    if (i >= left || !ok) {
      *badLength = i;
      return 0;
    }
    value = (value << 6) | (byte & 0x3F);
  }
  *codePoint = value;
  return length;
}

// Stores one UTF-16 unit at out[count] when there is room; returns false when
// the output is full.
bool putWide(LPWSTR out, int capacity, int* count, uint32_t unit) {
  if (capacity > 0) {
    if (*count >= capacity) return false;
    out[*count] = static_cast<WCHAR>(unit);
  }
  (*count)++;
  return true;
}

int utf8ToWide(const unsigned char* text, size_t size, DWORD flags, LPWSTR out, int capacity) {
  int count = 0;
  size_t i = 0;
  while (i < size) {
    if (capacity > 0) {  // a run of ASCII
      size_t run = 0, room = static_cast<size_t>(capacity - count);
      while (i + run < size && run < room && text[i + run] < 0x80) {
        out[count + run] = text[i + run];
        run++;
      }
      count += static_cast<int>(run);
      i += run;
      if (i == size) break;
    }
    uint32_t codePoint = text[i];
    size_t length = 1;
    if (codePoint >= 0x80) {
      size_t badLength = 0;
      length = decodeUtf8(text + i, size - i, &codePoint, &badLength);
      if (length == 0) {
        if (flags & MB_ERR_INVALID_CHARS) return fail(ERROR_NO_UNICODE_TRANSLATION);
        codePoint = 0xFFFD;
        length = badLength;
      }
    }
    bool stored;
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      stored = putWide(out, capacity, &count, 0xD800 + (codePoint >> 10)) &&
               putWide(out, capacity, &count, 0xDC00 + (codePoint & 0x3FF));
    } else {
      stored = putWide(out, capacity, &count, codePoint);
    }
    if (!stored) return fail(ERROR_INSUFFICIENT_BUFFER);
    i += length;
  }
  return count;
}

int windows1252ToWide(const unsigned char* text, size_t size, LPWSTR out, int capacity) {
  if (capacity > 0 && size > static_cast<size_t>(capacity)) return fail(ERROR_INSUFFICIENT_BUFFER);
  if (capacity > 0) {
    for (size_t i = 0; i < size; i++) out[i] = static_cast<WCHAR>(unicodeFromWindows1252(text[i]));
  }
  return static_cast<int>(size);
}

// Stores the UTF-8 bytes of one code point at out[count] when there is room.
bool putUtf8(LPSTR out, int capacity, int* count, uint32_t codePoint) {
  char bytes[4];
  int length;
  if (codePoint < 0x80) {
    bytes[0] = static_cast<char>(codePoint);
    length = 1;
  } else if (codePoint < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    bytes[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 2;
  } else if (codePoint < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 3;
  } else {
    bytes[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 4;
  }
  if (capacity > 0) {
    if (length > capacity - *count) return false;
    memcpy(out + *count, bytes, static_cast<size_t>(length));
  }
  *count += length;
  return true;
}

int wideToUtf8(LPCWCH wide, size_t size, DWORD flags, LPSTR out, int capacity) {
  int count = 0;
  for (size_t i = 0; i < size; i++) {
    uint32_t unit = wide[i];
    if (capacity > 0 && count + 3 <= capacity && (unit < 0xD800 || unit > 0xDFFF)) {  // the common cases, inline
      if (unit < 0x80) {
        out[count++] = static_cast<char>(unit);
      } else if (unit < 0x800) {
        out[count++] = static_cast<char>(0xC0 | (unit >> 6));
        out[count++] = static_cast<char>(0x80 | (unit & 0x3F));
      } else {
        out[count++] = static_cast<char>(0xE0 | (unit >> 12));
        out[count++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out[count++] = static_cast<char>(0x80 | (unit & 0x3F));
      }
      continue;
    }
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      if (unit <= 0xDBFF && i + 1 < size && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
        i++;
      } else if (flags & WC_ERR_INVALID_CHARS) {
        return fail(ERROR_NO_UNICODE_TRANSLATION);
      } else {
        unit = 0xFFFD;
      }
    }
    if (!putUtf8(out, capacity, &count, unit)) return fail(ERROR_INSUFFICIENT_BUFFER);
  }
  return count;
}

}  // namespace

BOOL WINAPI IsValidCodePage(UINT codePage) {
  return codePage == kWindows1252 || codePage == CP_UTF8 || iconvCodePageKnown(codePage);
}

BOOL WINAPI GetCPInfo(UINT codePage, LPCPINFO info) {
  if (info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (isAnsi(codePage) || codePage == CP_UTF8) {
    memset(info, 0, sizeof *info);
    info->MaxCharSize = codePage == CP_UTF8 ? 4 : 1;
    info->DefaultChar[0] = '?';
    return TRUE;
  }
  if (!iconvCodePageInfo(codePage, info)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH multiByte, int multiByteCount,
                               LPWSTR wide, int wideCount) {
  if (multiByte == nullptr || multiByteCount == 0 || multiByteCount < -1 || wideCount < 0 ||
      (wide == nullptr && wideCount > 0) ||
      (!isAnsi(codePage) && codePage != CP_UTF8 && !iconvCodePageKnown(codePage))) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  size_t size = multiByteCount == -1 ? strlen(multiByte) + 1 : static_cast<size_t>(multiByteCount);
  const unsigned char* text = reinterpret_cast<const unsigned char*>(multiByte);
  if (codePage == CP_UTF8) {
    if (flags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) return fail(ERROR_INVALID_FLAGS);
    return utf8ToWide(text, size, flags, wide, wideCount);
  }
  if (!isAnsi(codePage)) {
    // ISO-2022-JP (50220), a stateful page, takes no flags at all.
    DWORD allowed = codePage == 50220 ? 0 : MB_ERR_INVALID_CHARS | MB_PRECOMPOSED;
    if (flags & ~allowed) return fail(ERROR_INVALID_FLAGS);
    return iconvToWide(codePage, flags, multiByte, size, wide, wideCount);
  }
  return windows1252ToWide(text, size, wide, wideCount);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideCount,
                               LPSTR multiByte, int multiByteCount, LPCCH defaultChar,
                               LPBOOL usedDefaultChar) {
  if (wide == nullptr || wideCount == 0 || wideCount < -1 || multiByteCount < 0 ||
      (multiByte == nullptr && multiByteCount > 0) ||
      (!isAnsi(codePage) && codePage != CP_UTF8 && !iconvCodePageKnown(codePage))) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  size_t size = static_cast<size_t>(wideCount);
  if (wideCount == -1) {
    size = 0;
    while (wide[size] != 0) size++;
    size++;
  }
  if (codePage == CP_UTF8) {
    if (defaultChar != nullptr || usedDefaultChar != nullptr) return fail(ERROR_INVALID_PARAMETER);
    if (flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return fail(ERROR_INVALID_FLAGS);
    return wideToUtf8(wide, size, flags, multiByte, multiByteCount);
  }
  char fallback = defaultChar ? defaultChar[0] : '?';
  if (!isAnsi(codePage)) {
    bool usedDefault = false;
    int count = iconvFromWide(codePage, wide, size, multiByte, multiByteCount, fallback, &usedDefault);
    if (count > 0 && usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return count;
  }
  bool bestFit = (flags & WC_NO_BEST_FIT_CHARS) == 0;
  bool usedDefault = false;
  int count = 0;
  for (size_t i = 0; i < size; i++) {
    uint32_t unit = wide[i];
    int byte;
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {  // the same in Windows-1252
      byte = static_cast<int>(unit);
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < size && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      i++;  // a character outside the Basic Multilingual Plane: no code page holds it
      byte = -1;
    } else {
      byte = windows1252FromUnicode(unit, bestFit);
    }
    if (byte < 0) {
      byte = static_cast<unsigned char>(fallback);
      usedDefault = true;
    }
    if (multiByteCount > 0) {
      if (count >= multiByteCount) return fail(ERROR_INSUFFICIENT_BUFFER);
      multiByte[count] = static_cast<char>(byte);
    }
    count++;
  }
  if (usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return count;
}
