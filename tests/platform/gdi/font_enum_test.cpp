// Conformance tests of EnumFontFamiliesExA on the Win32 API: every family
// once per character set, with its full name; stopping from the callback;
// enumerating one named family.
#include <string.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Reported {
  std::string face;
  std::string fullName;
  BYTE charset;
  BYTE metricsCharset;
  LONG height;
  DWORD type;
};

int CALLBACK collect(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM user) {
  const ENUMLOGFONTEXA* full = reinterpret_cast<const ENUMLOGFONTEXA*>(font);
  Reported entry;
  entry.face = font->lfFaceName;
  entry.fullName = reinterpret_cast<const char*>(full->elfFullName);
  entry.charset = font->lfCharSet;
  entry.metricsCharset = metrics->tmCharSet;
  entry.height = metrics->tmHeight;
  entry.type = type;
  reinterpret_cast<std::vector<Reported>*>(user)->push_back(entry);
  return 1;
}

std::vector<Reported> enumerate(const char* face, BYTE charset) {
  LOGFONTA query;
  memset(&query, 0, sizeof(query));
  query.lfCharSet = charset;
  strncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  std::vector<Reported> reported;
  HDC dc = CreateCompatibleDC(NULL);
  EnumFontFamiliesExA(dc, &query, collect, reinterpret_cast<LPARAM>(&reported), 0);
  DeleteDC(dc);
  return reported;
}

TEST(EnumFontFamilies, ReportsEveryFamilyOncePerCharacterSet) {
  std::vector<Reported> all = enumerate("", DEFAULT_CHARSET);
  ASSERT_FALSE(all.empty());
  std::set<std::pair<std::string, int>> seen;
  for (const Reported& entry : all) {
    SCOPED_TRACE(entry.face);
    EXPECT_FALSE(entry.face.empty());
    EXPECT_FALSE(entry.fullName.empty());
    EXPECT_LT(entry.face.size(), (size_t)LF_FACESIZE);
    EXPECT_LT(entry.fullName.size(), (size_t)LF_FULLFACESIZE);
    EXPECT_EQ(entry.charset, entry.metricsCharset);
    EXPECT_GT(entry.height, 0);
    EXPECT_TRUE(seen.insert(std::make_pair(entry.face, (int)entry.charset)).second)
        << "reported twice in character set " << (int)entry.charset;
  }
}

int CALLBACK stopAtOnce(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM user) {
  ++*reinterpret_cast<int*>(user);
  return 0;
}

TEST(EnumFontFamilies, TheCallbackStopsTheEnumerationByReturningZero) {
  LOGFONTA query;
  memset(&query, 0, sizeof(query));
  query.lfCharSet = DEFAULT_CHARSET;
  int calls = 0;
  HDC dc = CreateCompatibleDC(NULL);
  EXPECT_EQ(EnumFontFamiliesExA(dc, &query, stopAtOnce, reinterpret_cast<LPARAM>(&calls), 0), 0);
  DeleteDC(dc);
  EXPECT_EQ(calls, 1);
}

TEST(EnumFontFamilies, ANamedFamilyReportsOnlyItsOwnFaces) {
  std::vector<Reported> all = enumerate("", DEFAULT_CHARSET);
  ASSERT_FALSE(all.empty());
  std::string family = all.back().face;
  std::vector<Reported> named = enumerate(family.c_str(), DEFAULT_CHARSET);
  ASSERT_FALSE(named.empty());
  for (const Reported& entry : named) EXPECT_EQ(entry.face, family);
}

}  // namespace
