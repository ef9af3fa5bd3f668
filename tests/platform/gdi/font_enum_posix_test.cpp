// What the POSIX layer settles about fonts: faces are found by fontconfig,
// so "Courier New" is a metric-compatible face of fonts-liberation, and the
// font list names the families fontconfig knows, by their full names.
#include <string.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

int CALLBACK collectFullName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM user) {
  const ENUMLOGFONTEXA* full = reinterpret_cast<const ENUMLOGFONTEXA*>(font);
  reinterpret_cast<std::set<std::string>*>(user)->insert(
      reinterpret_cast<const char*>(full->elfFullName));
  return 1;
}

TEST(FontsPosix, TheFontListHasTheLiberationFamiliesByFullName) {
  LOGFONTA query;
  memset(&query, 0, sizeof(query));
  query.lfCharSet = DEFAULT_CHARSET;
  std::set<std::string> names;
  EnumFontFamiliesExA(NULL, &query, collectFullName, reinterpret_cast<LPARAM>(&names), 0);
  for (const char* family : {"Liberation Mono", "Liberation Sans", "Liberation Serif"}) {
    EXPECT_EQ(names.count(family), 1u) << family;
  }
}

TEST(FontsPosix, CourierNewIsLiberationMonoWithItsMetrics) {
  // Liberation Mono: 2048 units to the em, Windows ascent 1705 and descent
  // 615, every advance 1229. A 30-pixel cell has an em of 26 pixels.
  HDC dc = CreateCompatibleDC(NULL);
  HFONT font = CreateFontA(30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           "Courier New");
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA tm;
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmHeight, 30);
  EXPECT_EQ(tm.tmAscent, 22);
  EXPECT_EQ(tm.tmDescent, 8);
  EXPECT_EQ(tm.tmInternalLeading, 3);
  EXPECT_EQ(tm.tmAveCharWidth, 16);
  EXPECT_EQ(tm.tmPitchAndFamily, TMPF_VECTOR | TMPF_TRUETYPE | FF_MODERN);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
}

}  // namespace
