// Conformance tests of fonts and text on the Win32 API: cell metrics,
// extents, where TextOutA puts a character, its colour, the background
// modes, the Windows-1252 code page, and odd sizes and faces.
#include <string.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/gdi/canvas.h"

namespace {

const COLORREF kPaper = RGB(0, 0, 40);
const COLORREF kInk = RGB(20, 230, 60);

HFONT terminalFont(int height, const char* face = "Courier New") {
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// A canvas with a font selected, given back at the end.
class TextCanvas : public Canvas {
 public:
  TextCanvas(int width, int height, HFONT font, COLORREF color = kPaper)
      : Canvas(width, height, color), font_(font) {
    previous_ = SelectObject(dc(), font_);
    SetTextColor(dc(), kInk);
  }
  ~TextCanvas() {
    SelectObject(dc(), previous_);
    DeleteObject(font_);
  }
  TEXTMETRICA metrics() const {
    TEXTMETRICA tm;
    EXPECT_TRUE(GetTextMetricsA(dc(), &tm));
    return tm;
  }
  SIZE extent(const char* text) const {
    SIZE size = {0, 0};
    EXPECT_TRUE(GetTextExtentPoint32A(dc(), text, (int)strlen(text), &size));
    return size;
  }

 private:
  HFONT font_;
  HGDIOBJ previous_;
};

bool between(int value, int a, int b) { return value >= std::min(a, b) && value <= std::max(a, b); }

TEST(FontMetrics, CourierNewAt30HasA30PixelFixedPitchCell) {
  TextCanvas canvas(4, 4, terminalFont(30));
  TEXTMETRICA tm = canvas.metrics();
  EXPECT_NEAR(tm.tmHeight, 30, 1);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GT(tm.tmInternalLeading, 0);
  // Win32's TMPF_FIXED_PITCH bit is set for variable-pitch fonts.
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
  EXPECT_EQ(tm.tmItalic, 0);
  EXPECT_NEAR(tm.tmAveCharWidth, 16, 1);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);

  // Every character of a fixed-pitch font advances by the cell width.
  for (const char* text : {"MMMMMMMMMM", "iiiiiiiiii", "_ .,;:!|'W", "\x80\x93\xE9\xFF\x01\t"}) {
    SIZE size = canvas.extent(text);
    EXPECT_EQ(size.cx, (LONG)strlen(text) * tm.tmAveCharWidth) << text;
    EXPECT_EQ(size.cy, tm.tmHeight) << text;
  }
}

TEST(FontMetrics, ANegativeHeightIsTheEmHeight) {
  TextCanvas canvas(4, 4, terminalFont(-30));
  TEXTMETRICA tm = canvas.metrics();
  EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 30, 1);
}

TEST(FontMetrics, ProportionalFacesAreNotFixedPitch) {
  TextCanvas canvas(4, 4, terminalFont(30, "Arial"));
  TEXTMETRICA tm = canvas.metrics();
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, TMPF_FIXED_PITCH);
  EXPECT_LT(canvas.extent("iiii").cx, canvas.extent("MMMM").cx);
}

struct OddFont {
  const char* name;
  int height;
  const char* face;
  int minHeight, maxHeight;  // the cell height obtained
};

TEST(FontMetrics, OddSizesAndFacesStillGiveAFontThatDraws) {
  const OddFont cases[] = {
      {"a face that does not exist", 30, "No Such Face Quillon", 29, 31},
      {"an empty face name", 30, "", 29, 31},
      {"height 0 (a default size)", 0, "Courier New", 10, 24},
      {"height 1", 1, "Courier New", 1, 3},
      {"height -1", -1, "Courier New", 1, 3},
      {"height 2000", 2000, "Courier New", 100, 2001},
      {"height -5000", -5000, "Courier New", 100, 6000},
  };
  for (const OddFont& c : cases) {
    SCOPED_TRACE(c.name);
    HFONT font = terminalFont(c.height, c.face);
    ASSERT_NE(font, (HFONT)NULL);
    TextCanvas canvas(16, 16, font);
    TEXTMETRICA tm = canvas.metrics();
    EXPECT_GE(tm.tmHeight, c.minHeight);
    EXPECT_LE(tm.tmHeight, c.maxHeight);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, "Wg", 2));
    EXPECT_TRUE(TextOutA(canvas.dc(), -3, -tm.tmAscent, "Q", 1));
    Canvas tiny(1, 1);
    HGDIOBJ previous = SelectObject(tiny.dc(), font);
    EXPECT_TRUE(TextOutA(tiny.dc(), 0, 0, "M", 1));
    SelectObject(tiny.dc(), previous);
  }
}

TEST(TextOut, TransparentTextChangesOnlyGlyphPixelsInsideItsCellInTheTextColour) {
  TextCanvas canvas(60, 60, terminalFont(40));
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutA(canvas.dc(), 12, 7, "M", 1));
  TEXTMETRICA tm = canvas.metrics();

  RECT box = boxOfPixelsOtherThan(canvas, kPaper);
  EXPECT_GE(box.left, 12);
  EXPECT_GE(box.top, 7);
  EXPECT_LE(box.right, 12 + tm.tmAveCharWidth);
  EXPECT_LE(box.bottom, 7 + tm.tmAscent);
  EXPECT_GT(box.right - box.left, tm.tmAveCharWidth / 2);  // the M is there

  int inked = 0;
  for (COLORREF pixel : canvas.pixels()) {
    if (pixel == kInk) ++inked;
    // Anti-aliasing blends the text colour into the background, channel by
    // channel: no pixel leaves the range between the two.
    EXPECT_TRUE(between(GetRValue(pixel), GetRValue(kPaper), GetRValue(kInk)) &&
                between(GetGValue(pixel), GetGValue(kPaper), GetGValue(kInk)) &&
                between(GetBValue(pixel), GetBValue(kPaper), GetBValue(kInk)))
        << std::hex << pixel;
  }
  EXPECT_GT(inked, 10);  // the stems are fully covered
}

TEST(TextOut, OpaqueModeFillsTheCellWithTheBackgroundColour) {
  TextCanvas canvas(40, 40, terminalFont(20));
  EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
  SetBkColor(canvas.dc(), RGB(200, 10, 10));
  ASSERT_TRUE(TextOutA(canvas.dc(), 5, 6, "  ", 2));
  SIZE cells = canvas.extent("  ");
  RECT box = boxOfPixelsOtherThan(canvas, kPaper);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.top, 6);
  EXPECT_EQ(box.right, 5 + cells.cx);
  EXPECT_EQ(box.bottom, 6 + cells.cy);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      ASSERT_EQ(GetPixel(canvas.dc(), x, y), RGB(200, 10, 10)) << x << "," << y;
    }
  }
}

TEST(TextOut, CharactersAdvanceByTheirExtent) {
  TextCanvas together(80, 30, terminalFont(20, "Arial"));
  TextCanvas apart(80, 30, terminalFont(20, "Arial"));
  ASSERT_TRUE(TextOutA(together.dc(), 3, 2, "Wi", 2));
  ASSERT_TRUE(TextOutA(apart.dc(), 3, 2, "W", 1));
  ASSERT_TRUE(TextOutA(apart.dc(), 3 + apart.extent("W").cx, 2, "i", 1));
  EXPECT_EQ(together.pixels(), apart.pixels());
}

TEST(TextOut, TextCutAtTheLeftEdgeShowsTheRestOfTheGlyph) {
  TextCanvas whole(30, 30, terminalFont(24));
  TextCanvas cut(30, 30, terminalFont(24));
  SetBkMode(whole.dc(), TRANSPARENT);
  SetBkMode(cut.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutA(whole.dc(), 0, 0, "W", 1));
  ASSERT_TRUE(TextOutA(cut.dc(), -5, -4, "W", 1));
  for (int y = 0; y < 26; ++y) {
    for (int x = 0; x < 25; ++x) {
      ASSERT_EQ(GetPixel(cut.dc(), x, y), GetPixel(whole.dc(), x + 5, y + 4)) << x << "," << y;
    }
  }
}

TEST(TextOut, BytesAreWindows1252Characters) {
  // Distinct characters of the code page's 0x80-0x9F range draw distinct
  // glyphs (taken as ISO 8859-1 they would all be the missing-glyph box).
  std::vector<std::vector<COLORREF>> pictures;
  for (const char* text : {"\x80", "\x93", "\x94", "\x8A"}) {
    TextCanvas canvas(30, 40, terminalFont(30));
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, text, 1));
    for (const std::vector<COLORREF>& other : pictures) EXPECT_NE(canvas.pixels(), other);
    pictures.push_back(canvas.pixels());
  }
  // The Euro sign (0x80) draws differently from the missing-glyph box of an
  // unused control code.
  TextCanvas control(30, 40, terminalFont(30));
  ASSERT_TRUE(TextOutA(control.dc(), 0, 0, "\x01", 1));
  EXPECT_NE(control.pixels(), pictures[0]);
}

TEST(TextOut, BadArguments) {
  TextCanvas canvas(10, 10, terminalFont(10));
  std::vector<COLORREF> before = canvas.pixels();
  EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, "A", 0));
  EXPECT_FALSE(TextOutA(NULL, 0, 0, "A", 1));
  EXPECT_EQ(canvas.pixels(), before);
  SIZE size = {-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), "", 0, &size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
}

}  // namespace
