// Conformance tests of MultiByteToWideChar (CP_UTF8, the windows-125x, ISO
// 8859, KOI8 and CJK pages), IsValidCodePage, GetCPInfo and WideCharToMultiByte
// into Windows-1252 (the ANSI code page of a Western European Windows, the
// layer's CP_ACP): sizes, errors, invalid UTF-8, best fit and the default
// character, as Win32 does them.
#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const UINT kWindows1252 = 1252;

std::vector<WCHAR> wideOf(const std::string& utf8, DWORD flags = 0) {
  std::vector<WCHAR> wide(utf8.size() + 1);
  int n = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), static_cast<int>(utf8.size()),
                              wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return wide;
}

std::string ansiOf(const std::vector<WCHAR>& wide, DWORD flags = 0, BOOL* usedDefault = nullptr) {
  std::string out(wide.size() * 2 + 1, '\0');
  int n = WideCharToMultiByte(kWindows1252, flags, wide.data(), static_cast<int>(wide.size()),
                              &out[0], static_cast<int>(out.size()), nullptr, usedDefault);
  out.resize(n > 0 ? n : 0);
  return out;
}

}  // namespace

TEST(MultiByteToWideChar, Utf8DecodesToUtf16) {
  struct Case {
    const char* utf8;
    std::vector<WCHAR> wide;
  } cases[] = {
      {"plain", {'p', 'l', 'a', 'i', 'n'}},
      {"caf\xC3\xA9", {'c', 'a', 'f', 0xE9}},
      {"\xE2\x80\x93\xE2\x82\xAC", {0x2013, 0x20AC}},
      {"\xEF\xBB\xBFx", {0xFEFF, 'x'}},  // a byte-order mark is a character like any other
      {"\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},  // U+1F600: a surrogate pair
      {"\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},  // U+10FFFF, the last code point
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wideOf(c.utf8, MB_ERR_INVALID_CHARS), c.wide) << c.utf8;
  }
}

TEST(MultiByteToWideChar, InvalidUtf8FailsUnderMbErrInvalidChars) {
  const char* cases[] = {
      "\x80",              // a continuation byte alone
      "caf\xE9",           // Windows-1252 text
      "\xC3",              // a sequence cut at the end
      "\xE2\x82x",         // a sequence cut in the middle
      "\xC0\xAF",          // an overlong form of '/'
      "\xE0\x80\xAF",      // an overlong three-byte form
      "\xED\xA0\x80",      // a surrogate encoded in UTF-8
      "\xF4\x90\x80\x80",  // past U+10FFFF
      "\xFF",
  };
  for (const char* c : cases) {
    WCHAR out[16];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c, -1, out, 16), 0) << c;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION)) << c;
    // Without the flag the call succeeds and puts U+FFFD in.
    int n = MultiByteToWideChar(CP_UTF8, 0, c, -1, out, 16);
    ASSERT_GT(n, 0) << c;
    EXPECT_NE(std::find(out, out + n, static_cast<WCHAR>(0xFFFD)), out + n) << c;
  }
}

TEST(MultiByteToWideChar, SizesAndErrors) {
  const char* text = "na\xC3\xAFve";  // five characters in six bytes
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0), 6);  // with the terminator
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 6, nullptr, 0), 5);
  WCHAR small[3];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 6, small, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, 0, small, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  WCHAR out[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, text, -1, out, 8), 6);
  EXPECT_EQ(out[5], 0);
}

TEST(WideCharToMultiByte, Windows1252HoldsLatin1AndItsOwnPunctuation) {
  // "café – “naïve” ‘x’ … €" and a non-breaking space
  std::vector<WCHAR> wide = {'c', 0xE9, ' ', 0x2013, ' ', 0x201C, 0xEF, 0x201D, ' ', 0x2018,
                             'x', 0x2019, 0x2026, 0x20AC, 0xA0, 0x2014};
  BOOL usedDefault = TRUE;
  EXPECT_EQ(ansiOf(wide, 0, &usedDefault),
            "c\xE9 \x96 \x93\xEF\x94 \x91x\x92\x85\x80\xA0\x97");
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(ansiOf(wideOf("na\xC3\xAFve")), "na\xEFve");
}

TEST(WideCharToMultiByte, BestFitAndTheDefaultCharacter) {
  struct Case {
    WCHAR wide;
    char bestFit;
  } cases[] = {
      {0x0100, 'A'},  // A with macron
      {0x0107, 'c'},  // c with acute
      {0x0141, 'L'},  // L with stroke
      {0x2002, ' '},  // en space
      {0x2003, ' '},  // em space
      {0x2032, '\''},  // prime
      {0x2212, '-'},  // minus sign
      {0xFF21, 'A'},  // full-width A
      {0x4E2D, '?'},  // a CJK ideograph has no fit
      {0x0416, '?'},  // nor a Cyrillic letter
  };
  for (const Case& c : cases) {
    BOOL usedDefault = FALSE;
    EXPECT_EQ(ansiOf({c.wide}, 0, &usedDefault), std::string(1, c.bestFit)) << c.wide;
    EXPECT_EQ(usedDefault, c.bestFit == '?') << c.wide;
    EXPECT_EQ(ansiOf({c.wide}, WC_NO_BEST_FIT_CHARS), "?") << c.wide;
  }
}

TEST(WideCharToMultiByte, SizesErrorsAndAGivenDefaultCharacter) {
  std::vector<WCHAR> wide = {'a', 0x4E2D, 'b', 0};
  EXPECT_EQ(WideCharToMultiByte(kWindows1252, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr), 4);
  char out[8] = {};
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(kWindows1252, 0, wide.data(), -1, out, 8, "#", &usedDefault), 4);
  EXPECT_STREQ(out, "a#b");
  EXPECT_TRUE(usedDefault);
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(kWindows1252, 0, wide.data(), 3, out, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(kWindows1252, 0, wide.data(), 0, out, 8, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(WideCharToMultiByte, EveryWindows1252ByteComesBackFromItsCharacter) {
  char bytes[255];
  for (int i = 0; i < 255; i++) bytes[i] = static_cast<char>(i + 1);
  WCHAR wide[255];
  ASSERT_EQ(MultiByteToWideChar(kWindows1252, 0, bytes, 255, wide, 255), 255);
  EXPECT_EQ(wide[0x80 - 1], 0x20AC);
  EXPECT_EQ(wide[0x99 - 1], 0x2122);
  char back[255];
  BOOL usedDefault = TRUE;
  ASSERT_EQ(WideCharToMultiByte(kWindows1252, 0, wide, 255, back, 255, nullptr, &usedDefault), 255);
  EXPECT_FALSE(usedDefault);
  EXPECT_EQ(std::string(back, 255), std::string(bytes, 255));
}

// The code pages a document may be written in: the same text in each.
TEST(MultiByteToWideChar, OtherCodePagesDecodeToUtf16) {
  struct Case {
    UINT codePage;
    std::string bytes;
    std::vector<WCHAR> wide;
  } cases[] = {
      {1250, "\x8A\xE8", {0x0160, 0x010D}},                     // Š č
      {1251, "\xCC\xEE\xF1\xEA\xE2\xE0", {0x041C, 0x043E, 0x0441, 0x043A, 0x0432, 0x0430}},
      {20866, "\xED\xCF\xD3\xCB\xD7\xC1", {0x041C, 0x043E, 0x0441, 0x043A, 0x0432, 0x0430}},
      {28597, "\xE1\xE2", {0x03B1, 0x03B2}},                    // α β
      {28605, "\xA4", {0x20AC}},                                // ISO 8859-15's euro
      {28591, "\x80\xE9", {0x0080, 0x00E9}},                    // ISO 8859-1: a C1 control
      {1255, "\xF9\xEC\xE5\xED", {0x05E9, 0x05DC, 0x05D5, 0x05DD}},  // a page with combining marks
      {1258, "Vi\xD0t", {'V', 'i', 0x0110, 't'}},
      {932, "\x93\xFA\x96\x7B" "a", {0x65E5, 0x672C, 'a'}},     // 日本a in Shift_JIS
      {20932, "\xC6\xFC\xCB\xDC", {0x65E5, 0x672C}},            // the same in EUC-JP
      {936, "\xD6\xD0\xCE\xC4", {0x4E2D, 0x6587}},              // 中文
      {950, "\xA4\xA4\xA4\xE5", {0x4E2D, 0x6587}},
      {949, "\xC7\xD1", {0xD55C}},                              // 한
  };
  for (const Case& c : cases) {
    std::vector<WCHAR> wide(c.bytes.size() + 1);
    int n = MultiByteToWideChar(c.codePage, MB_ERR_INVALID_CHARS, c.bytes.data(), static_cast<int>(c.bytes.size()),
                                wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    EXPECT_EQ(wide, c.wide) << c.codePage;
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.bytes.data(), static_cast<int>(c.bytes.size()), nullptr, 0),
              static_cast<int>(c.wide.size()))
        << c.codePage;
    EXPECT_TRUE(IsValidCodePage(c.codePage)) << c.codePage;
  }
}

TEST(MultiByteToWideChar, OtherCodePagesErrors) {
  // A lead byte with no trail byte, in Shift_JIS.
  WCHAR out[8];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, "a\x93", 2, out, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  int n = MultiByteToWideChar(932, 0, "a\x93", 2, out, 8);
  ASSERT_GE(n, 2);
  EXPECT_EQ(out[0], 'a');
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0, "\xCC\xEE\xF1", 3, out, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1251, 0x100, "a", 1, out, 8), 0);  // MB_COMPOSITE-like flags are refused
  EXPECT_NE(GetLastError(), 0u);
  for (UINT codePage : {777u, 12345u, 99999u}) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, "a", 1, out, 8), 0) << codePage;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << codePage;
    EXPECT_FALSE(IsValidCodePage(codePage)) << codePage;
    CPINFO info;
    EXPECT_FALSE(GetCPInfo(codePage, &info)) << codePage;
  }
}

TEST(GetCPInfo, CharacterSizesAndLeadBytes) {
  struct Case {
    UINT codePage;
    UINT maxCharSize;
    BYTE firstLead[2];
  } cases[] = {
      {1252, 1, {0, 0}}, {1251, 1, {0, 0}}, {28597, 1, {0, 0}}, {CP_UTF8, 4, {0, 0}},
      {932, 2, {0x81, 0x9F}}, {936, 2, {0x81, 0xFE}}, {950, 2, {0x81, 0xFE}},
  };
  for (const Case& c : cases) {
    CPINFO info;
    memset(&info, 0xEE, sizeof info);
    ASSERT_TRUE(GetCPInfo(c.codePage, &info)) << c.codePage;
    EXPECT_EQ(info.MaxCharSize, c.maxCharSize) << c.codePage;
    EXPECT_EQ(info.DefaultChar[0], '?') << c.codePage;
    EXPECT_EQ(info.LeadByte[0], c.firstLead[0]) << c.codePage;
    EXPECT_EQ(info.LeadByte[1], c.firstLead[1]) << c.codePage;
  }
  EXPECT_TRUE(IsValidCodePage(1252));
  EXPECT_TRUE(IsValidCodePage(CP_UTF8));
}

TEST(WideCharToMultiByte, Utf8AndOtherCodePages) {
  std::vector<WCHAR> wide = {'a', 0xE9, 0x20AC, 0xD83D, 0xDE00};
  std::string utf8(16, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), 5, &utf8[0], 16, nullptr, nullptr);
  utf8.resize(n > 0 ? n : 0);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide.data(), 5, nullptr, 0, nullptr, nullptr), 10);
  // An unpaired surrogate: U+FFFD, or an error when asked.
  WCHAR lone[] = {'x', 0xDC00};
  char out[16];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 2, out, 16, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(out, 4), "x\xEF\xBF\xBD");
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 2, out, 16, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  BOOL usedDefault = FALSE;

  // Cyrillic into windows-1251; a character the page lacks becomes the default.
  WCHAR cyrillic[] = {0x041C, 'a', 0x4E2D};
  usedDefault = FALSE;
  n = WideCharToMultiByte(1251, 0, cyrillic, 3, out, 16, nullptr, &usedDefault);
  EXPECT_EQ(std::string(out, n > 0 ? n : 0), "\xCC" "a?");
  EXPECT_TRUE(usedDefault);
  WCHAR japanese[] = {0x65E5, 0x672C};
  n = WideCharToMultiByte(932, 0, japanese, 2, out, 16, nullptr, nullptr);
  EXPECT_EQ(std::string(out, n > 0 ? n : 0), "\x93\xFA\x96\x7B");
}

