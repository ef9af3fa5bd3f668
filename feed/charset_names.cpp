// Charset names to code pages (see charset_names.h). The names are those of
// the IANA registry and the aliases browsers accept for them.
#include "feed/charset_names.h"

#include <string.h>
#include <strings.h>

namespace {

struct Charset {
  const char* name;
  unsigned codePage;
};

const Charset kCharsets[] = {
    {"utf-8", 65001}, {"utf8", 65001}, {"unicode-1-1-utf-8", 65001},
    {"us-ascii", 1252}, {"ascii", 1252}, {"ansi_x3.4-1968", 1252}, {"iso-ir-6", 1252},
    {"iso-8859-1", 1252}, {"iso8859-1", 1252}, {"iso_8859-1", 1252}, {"iso88591", 1252},
    {"latin1", 1252}, {"latin-1", 1252}, {"l1", 1252}, {"cp819", 1252}, {"ibm819", 1252},
    {"windows-1252", 1252}, {"cp1252", 1252}, {"x-cp1252", 1252},
    {"windows-1250", 1250}, {"cp1250", 1250}, {"x-cp1250", 1250},
    {"windows-1251", 1251}, {"cp1251", 1251}, {"x-cp1251", 1251},
    {"windows-1253", 1253}, {"cp1253", 1253},
    {"windows-1254", 1254}, {"cp1254", 1254},
    {"windows-1255", 1255}, {"cp1255", 1255},
    {"windows-1256", 1256}, {"cp1256", 1256},
    {"windows-1257", 1257}, {"cp1257", 1257},
    {"windows-1258", 1258}, {"cp1258", 1258},
    {"iso-8859-2", 28592}, {"iso8859-2", 28592}, {"iso_8859-2", 28592}, {"latin2", 28592}, {"l2", 28592},
    {"iso-8859-3", 28593}, {"iso8859-3", 28593}, {"iso_8859-3", 28593}, {"latin3", 28593},
    {"iso-8859-4", 28594}, {"iso8859-4", 28594}, {"iso_8859-4", 28594}, {"latin4", 28594},
    {"iso-8859-5", 28595}, {"iso8859-5", 28595}, {"iso_8859-5", 28595}, {"cyrillic", 28595},
    {"iso-8859-6", 28596}, {"iso8859-6", 28596}, {"iso_8859-6", 28596}, {"arabic", 28596},
    {"iso-8859-7", 28597}, {"iso8859-7", 28597}, {"iso_8859-7", 28597}, {"greek", 28597},
    {"iso-8859-8", 28598}, {"iso8859-8", 28598}, {"iso_8859-8", 28598}, {"hebrew", 28598},
    {"iso-8859-9", 28599}, {"iso8859-9", 28599}, {"iso_8859-9", 28599}, {"latin5", 28599},
    {"iso-8859-13", 28603}, {"iso8859-13", 28603},
    {"iso-8859-15", 28605}, {"iso8859-15", 28605}, {"iso_8859-15", 28605}, {"latin9", 28605},
    {"latin-9", 28605},
    {"koi8-r", 20866}, {"koi8", 20866}, {"koi8r", 20866}, {"koi8-u", 21866},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"x-sjis", 932}, {"ms_kanji", 932},
    {"windows-31j", 932}, {"cp932", 932},
    {"euc-jp", 20932}, {"x-euc-jp", 20932}, {"iso-2022-jp", 50220},
    {"gb2312", 936}, {"gbk", 936}, {"cp936", 936}, {"x-gbk", 936}, {"euc-cn", 936}, {"chinese", 936},
    {"gb18030", 54936},
    {"big5", 950}, {"big5-hkscs", 950}, {"cn-big5", 950}, {"x-x-big5", 950}, {"cp950", 950},
    {"euc-kr", 949}, {"ks_c_5601-1987", 949}, {"cp949", 949}, {"windows-949", 949}, {"korean", 949},
    {"ibm866", 866}, {"cp866", 866}, {"ibm437", 437}, {"cp437", 437}, {"ibm850", 850}, {"cp850", 850},
    {"macintosh", 10000}, {"mac", 10000}, {"x-mac-roman", 10000},
    {"tis-620", 874}, {"windows-874", 874}, {"cp874", 874},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"utf-16be", 1201},
    {"utf-32", 12000}, {"utf-32le", 12000}, {"utf-32be", 12001},
};

}  // namespace

unsigned codePageOfCharset(const char* name, size_t length) {
  for (const Charset& charset : kCharsets) {
    if (strlen(charset.name) == length && strncasecmp(charset.name, name, length) == 0) return charset.codePage;
  }
  return 0;
}
