// Code pages through glibc's iconv (see iconv_code_pages.h).
//
// Each call opens its own conversion descriptor, so that calls from several
// threads never share one; a descriptor costs microseconds against the
// blocks of text a caller converts. Text goes through a fixed buffer of
// UTF-16LE (the layer's WCHAR on the little-endian machines it runs on). A
// byte sequence that is not valid in the page, or cut at the end, fails with
// ERROR_NO_UNICODE_TRANSLATION under MB_ERR_INVALID_CHARS and becomes U+FFFD
// otherwise (one per byte skipped). A character the page lacks becomes the
// default character.
#include "platform/kernel/iconv_code_pages.h"

#include <errno.h>
#include <iconv.h>
#include <string.h>

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
const size_t kChunkUnits = 2048;

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Appends `units` UTF-16 units to out[*count..]; false when they do not fit.
bool putUnits(const WCHAR* units, size_t n, LPWSTR out, int capacity, int* count) {
  if (capacity > 0) {
    if (n > static_cast<size_t>(capacity - *count)) return false;
    memcpy(out + *count, units, n * sizeof(WCHAR));
  }
  *count += static_cast<int>(n);
  return true;
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
  iconv_t cd = iconv_open(kWideName, page->iconvName);
  if (cd == reinterpret_cast<iconv_t>(-1)) return fail(ERROR_INVALID_PARAMETER);
  WCHAR chunk[kChunkUnits];
  const WCHAR replacement = 0xFFFD;
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
    if (!putUnits(chunk, (sizeof chunk - room) / sizeof(WCHAR), out, capacity, &count)) {
      error = ERROR_INSUFFICIENT_BUFFER;
    } else if (flushing) {
      done = true;
    } else if (failure == EILSEQ || failure == EINVAL) {  // an invalid or cut sequence
      if (flags & MB_ERR_INVALID_CHARS) {
        error = ERROR_NO_UNICODE_TRANSLATION;
      } else if (!putUnits(&replacement, 1, out, capacity, &count)) {
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
