// Code pages through glibc's iconv (see iconv_code_pages.h).
//
// A single-byte page is read through a table of its 256 characters, built
// from iconv on first use. Otherwise each call opens its own conversion
// descriptor, so that calls from several threads never share one; a
// descriptor costs microseconds against the blocks of text a caller
// converts. Text goes through a fixed buffer of code points to UTF-16, and
// from UTF-16LE (the layer's WCHAR on the little-endian machines it runs
// on) the other way. A
// byte sequence that is not valid in the page, or cut at the end, fails with
// ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS and becomes U+FFFD
// otherwise (one per byte skipped). A character the page lacks becomes the
// default character.
#include "platform/kernel/iconv_code_pages.h"

#include <errno.h>
#include <iconv.h>
#include <stdint.h>
#include <string.h>

#include <mutex>

namespace {

struct Page {
  UINT codePage;
  const char* iconvName;
  UINT maxCharSize;
  const char* leadRanges;  // pairs of lead-byte bounds, as GetCPInfo gives them
};

const Page kPages[] = {
    {437, "CP437", 1, ""},          {850, "CP850", 1, ""},
    {866, "CP866", 1, ""},          {874, "CP874", 1, ""},
    {932, "CP932", 2, "\x81\x9F\xE0\xFC"},
    {936, "CP936", 2, "\x81\xFE"},  {949, "CP949", 2, "\x81\xFE"},
    {950, "CP950", 2, "\x81\xFE"},  {1250, "CP1250", 1, ""},
    {1251, "CP1251", 1, ""},        {1253, "CP1253", 1, ""},
    {1254, "CP1254", 1, ""},        {1255, "CP1255", 1, ""},
    {1256, "CP1256", 1, ""},        {1257, "CP1257", 1, ""},
    {1258, "CP1258", 1, ""},        {10000, "MACINTOSH", 1, ""},
    {20866, "KOI8-R", 1, ""},       {20932, "EUC-JP", 3, ""},
    {21866, "KOI8-U", 1, ""},       {28591, "ISO-8859-1", 1, ""},
    {28592, "ISO-8859-2", 1, ""},   {28593, "ISO-8859-3", 1, ""},
    {28594, "ISO-8859-4", 1, ""},   {28595, "ISO-8859-5", 1, ""},
    {28596, "ISO-8859-6", 1, ""},   {28597, "ISO-8859-7", 1, ""},
    {28598, "ISO-8859-8", 1, ""},   {28599, "ISO-8859-9", 1, ""},
    {28603, "ISO-8859-13", 1, ""},  {28605, "ISO-8859-15", 1, ""},
    {50220, "ISO-2022-JP", 5, ""},  {54936, "GB18030", 4, ""},
};

const Page* findPage(UINT codePage) {
  for (const Page& page : kPages) {
    if (page.codePage == codePage) return &page;
  }
  return nullptr;
}

const char kWideName[] = "UTF-16LE";
// glibc's own code points (UCS-4 in the machine's order): one conversion
// step from any page, where UTF-16 would take two.
const char kCodePointName[] = "WCHAR_T";
const size_t kChunkUnits = 2048;

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

const WCHAR kReplacement = 0xFFFD;

// Appends one UTF-16 unit to out[*count..]; false when it does not fit.
bool putUnit(uint32_t unit, LPWSTR out, int capacity, int* count) {
  if (capacity > 0) {
    if (*count >= capacity) return false;
    out[*count] = static_cast<WCHAR>(unit);
  }
  (*count)++;
  return true;
}

// Appends code points as UTF-16, those past the Basic Multilingual Plane as
// surrogate pairs; false when they do not fit.
bool putCodePoints(const wchar_t* codePoints, size_t n, LPWSTR out, int capacity, int* count) {
  for (size_t i = 0; i < n; i++) {
    uint32_t c = static_cast<uint32_t>(codePoints[i]);
    bool stored = c < 0x10000 ? putUnit(c, out, capacity, count)
                              : putUnit(0xD800 + ((c - 0x10000) >> 10), out, capacity, count) &&
                                    putUnit(0xDC00 + ((c - 0x10000) & 0x3FF), out, capacity, count);
    if (!stored) return false;
  }
  return true;
}

// A single-byte page as a table of the UTF-16 unit of each byte, read once
// from iconv and kept: a table lookup per byte instead of iconv's steps.
struct ByteTable {
  bool built = false;
  WCHAR units[256];
  bool valid[256];
};

const ByteTable* byteTable(const Page* page) {
  static std::mutex lock;
  static ByteTable tables[sizeof kPages / sizeof kPages[0]];
  std::lock_guard<std::mutex> guard(lock);
  ByteTable* table = &tables[page - kPages];
  if (table->built) return table;
  iconv_t cd = iconv_open(kCodePointName, page->iconvName);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  for (int byte = 0; byte < 256; byte++) {
    char in = static_cast<char>(byte);
    char* inAt = &in;
    size_t inLeft = 1;
    wchar_t codePoint = 0;
    char* outAt = reinterpret_cast<char*>(&codePoint);
    size_t outLeft = sizeof codePoint;
    // A page with combining marks (windows-1255, windows-1258) holds a
    // character back until it sees the next one: the flush gives it.
    bool converted = iconv(cd, &inAt, &inLeft, &outAt, &outLeft) != static_cast<size_t>(-1) &&
                     iconv(cd, nullptr, nullptr, &outAt, &outLeft) != static_cast<size_t>(-1) && outLeft == 0;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial state again
    table->valid[byte] = converted && codePoint < 0x10000;
    table->units[byte] = table->valid[byte] ? static_cast<WCHAR>(codePoint) : kReplacement;
  }
  iconv_close(cd);
  table->built = true;
  return table;
}

int tableToWide(const ByteTable& table, DWORD flags, const unsigned char* text, size_t size, LPWSTR out,
                int capacity) {
  if (flags & MB_ERR_INVALID_CHARS) {
    for (size_t i = 0; i < size; i++) {
      if (!table.valid[text[i]]) return fail(ERROR_NO_UNICODE_TRANSLATION);
    }
  }
  if (capacity > 0 && size > static_cast<size_t>(capacity)) return fail(ERROR_INSUFFICIENT_BUFFER);
  if (capacity > 0) {
    for (size_t i = 0; i < size; i++) out[i] = table.units[text[i]];
  }
  return static_cast<int>(size);
}

bool putBytes(const char* bytes, size_t n, LPSTR out, int capacity, int* count) {
  if (capacity > 0) {
    if (n > static_cast<size_t>(capacity - *count)) return false;
    memcpy(out + *count, bytes, n);
  }
  *count += static_cast<int>(n);
  return true;
}

}  // namespace

bool iconvCodePageKnown(UINT codePage) {
  const Page* page = findPage(codePage);
  if (page == nullptr) return false;
  iconv_t cd = iconv_open(kWideName, page->iconvName);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

bool iconvCodePageInfo(UINT codePage, CPINFO* info) {
  const Page* page = findPage(codePage);
  if (page == nullptr) return false;
  memset(info, 0, sizeof *info);
  info->MaxCharSize = page->maxCharSize;
  info->DefaultChar[0] = '?';
  memcpy(info->LeadByte, page->leadRanges, strlen(page->leadRanges));
  return true;
}

int iconvToWide(UINT codePage, DWORD flags, const char* text, size_t size, LPWSTR out, int capacity) {
  const Page* page = findPage(codePage);
  if (page->maxCharSize == 1) {
    const ByteTable* table = byteTable(page);
    if (table == nullptr) return fail(ERROR_INVALID_PARAMETER);
    return tableToWide(*table, flags, reinterpret_cast<const unsigned char*>(text), size, out, capacity);
  }
  iconv_t cd = iconv_open(kCodePointName, page->iconvName);
  if (cd == reinterpret_cast<iconv_t>(-1)) return fail(ERROR_INVALID_PARAMETER);
  wchar_t chunk[kChunkUnits];
  char* in = const_cast<char*>(text);
  size_t left = size;
  int count = 0;
  DWORD error = 0;
  bool done = false;
  while (error == 0 && !done) {
    char* next = reinterpret_cast<char*>(chunk);
    size_t room = sizeof chunk;
    // With the input used up, one last call returns a stateful page to its
    // initial shift state.
    bool flushing = left == 0;
    size_t result = flushing ? iconv(cd, nullptr, nullptr, &next, &room) : iconv(cd, &in, &left, &next, &room);
    int failure = result == static_cast<size_t>(-1) ? errno : 0;
    if (!putCodePoints(chunk, (sizeof chunk - room) / sizeof(wchar_t), out, capacity, &count)) {
      error = ERROR_INSUFFICIENT_BUFFER;
    } else if (flushing) {
      done = true;
    } else if (failure == EILSEQ || failure == EINVAL) {  // an invalid or cut sequence
      if (flags & MB_ERR_INVALID_CHARS) {
        error = ERROR_NO_UNICODE_TRANSLATION;
      } else if (!putUnit(kReplacement, out, capacity, &count)) {
        error = ERROR_INSUFFICIENT_BUFFER;
      } else {
        in++;
        left--;
      }
    }
  }
  iconv_close(cd);
  return error != 0 ? fail(error) : count;
}

int iconvFromWide(UINT codePage, const WCHAR* wide, size_t size, LPSTR out, int capacity, char fallback,
                  bool* usedDefault) {
  const Page* page = findPage(codePage);
  iconv_t cd = iconv_open(page->iconvName, kWideName);
  if (cd == reinterpret_cast<iconv_t>(-1)) return fail(ERROR_INVALID_PARAMETER);
  char chunk[4 * kChunkUnits];
  char* in = reinterpret_cast<char*>(const_cast<WCHAR*>(wide));
  size_t left = size * sizeof(WCHAR);
  int count = 0;
  DWORD error = 0;
  bool done = false;
  while (error == 0 && !done) {
    char* next = chunk;
    size_t room = sizeof chunk;
    bool flushing = left == 0;
    size_t result = flushing ? iconv(cd, nullptr, nullptr, &next, &room) : iconv(cd, &in, &left, &next, &room);
    int failure = result == static_cast<size_t>(-1) ? errno : 0;
    if (!putBytes(chunk, sizeof chunk - room, out, capacity, &count)) {
      error = ERROR_INSUFFICIENT_BUFFER;
    } else if (flushing) {
      done = true;
    } else if (failure == EILSEQ || failure == EINVAL) {  // no such character, or a lone surrogate
      *usedDefault = true;
      if (!putBytes(&fallback, 1, out, capacity, &count)) {
        error = ERROR_INSUFFICIENT_BUFFER;
      } else {
        WCHAR unit = 0;
        memcpy(&unit, in, sizeof unit);
        size_t skip = unit >= 0xD800 && unit <= 0xDBFF && left >= 4 ? 4 : 2;
        if (skip > left) skip = left;
        in += skip;
        left -= skip;
      }
    }
  }
  iconv_close(cd);
  return error != 0 ? fail(error) : count;
}
