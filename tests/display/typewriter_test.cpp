// The typewriter engine in a real window with a real font, timed by the
// virtual clock and observed through the trace (what was drawn where, and
// when) and the picture's pixels.
#include "display/typewriter.h"

#include <string.h>

#include "display/terminal_surface.h"
#include "feed/feed_fetcher.h"
#include "host/saver_state.h"
#include "platform/drivers/headless/png_file.h"
#include "settings/settings.h"
#include "tests/display/display_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

class Typewriter : public DisplayTest {
 protected:
  // Start-up as the host does it: an empty line, TypeTimer armed.
  void start() {
    mark();
    startTyping(saverWindow, "");
  }
  // Character textouts (the cursor's left out) as x positions, in order.
  std::vector<long> characterXs() const {
    std::vector<long> xs;
    for (const DrawEvent& e : events({"textout"}))
      if (e.args.at(2) != '_') xs.push_back(e.args.at(0));
    return xs;
  }
  // Scrolls: the copy of everything below the top row to the top.
  std::vector<DrawEvent> scrolls() const {
    std::vector<DrawEvent> out;
    for (const DrawEvent& e : events({"bitblt"}))
      if (e.args.at(1) == 0 && e.args.at(5) == lineHeight && e.args.at(4) == 0) out.push_back(e);
    return out;
  }
  std::string fileUrl(const std::string& text) { return "file://" + dir_.write("doc.txt", text); }

  TempDir dir_;
};

}  // namespace

TEST_F(Typewriter, WorkedExampleWrapsTheEleventhCharacter) {
  int cw = cellWidthOfFont();
  open(10 * cw, 100);
  ASSERT_EQ(charWidth, cw);
  lineQueue.append("ABCDEFGHIJKLM");
  lineQueue.append("next");
  start();
  runFor(50 + 500 + 13 * 50 + 20);  // line end, pause, 13 characters

  EXPECT_EQ(typedText(), "ABCDEFGHIJKLM");
  std::vector<long> xs = characterXs();
  ASSERT_EQ(xs.size(), 13u);
  for (int i = 0; i < 10; i++) EXPECT_EQ(xs[static_cast<size_t>(i)], i * cw) << i;
  EXPECT_EQ(xs[10], 0);  // K on the new bottom row
  EXPECT_EQ(xs[11], cw);
  EXPECT_EQ(xs[12], 2 * cw);
  // One scroll after the first line-end tick, one for the wrap.
  EXPECT_EQ(scrolls().size(), 2u);
  EXPECT_STREQ(typewriterLine(), "KLM");
  EXPECT_EQ(typewriterPosition(), 3);
  runFor(50);  // the line-end tick: the next line is loaded
  EXPECT_STREQ(typewriterLine(), "next");
  EXPECT_EQ(typewriterPosition(), 0);
}

TEST_F(Typewriter, DefaultTimingAndTheFirstTickFetch) {
  std::string url = fileUrl("hello\nworld\n");
  settings.urlList.append(url.c_str());
  open(400, 100);
  start();
  runFor(3000);

  // The first tick at 50 ms fetches; the scroll comes 500 ms later, the
  // first character 50 ms after that, then one every 50 ms.
  std::vector<DrawEvent> text = events({"textout"});
  std::vector<DrawEvent> rows = scrolls();
  ASSERT_GE(rows.size(), 2u);
  ASSERT_GE(text.size(), 10u);
  unsigned long long t0 = rows[0].time - 550;  // the start
  EXPECT_EQ(text[0].time - t0, 600u);
  EXPECT_EQ(text[0].args[2], 'h');
  for (size_t i = 1; i < 5; i++) EXPECT_EQ(text[2 * i].time - text[2 * (i - 1)].time, 50u);
  // "hello": 5 characters at 600..800, the line end at 850, the scroll at 1350.
  EXPECT_EQ(rows[1].time - t0, 1350u);
  EXPECT_EQ(typedText().substr(0, 10), "helloworld");
}

TEST_F(Typewriter, CursorFollowsTheLastCharacterAndIsErasedBeforeAWrap) {
  int cw = cellWidthOfFont();
  int width = 10 * cw + cw / 2;  // J's cursor is half visible at the edge
  open(width, 100);
  lineQueue.append("ABCDEFGHIJK");
  start();
  runFor(50 + 500 + 10 * 50 + 10);  // up to J
  int rowTop = 100 - lineHeight;
  bool cursorSeen = false;
  for (int y = rowTop; y < 100; y++)
    for (int x = 10 * cw; x < width; x++) cursorSeen = cursorSeen || pixel(screenBitmap, x, y) != kBackground;
  EXPECT_TRUE(cursorSeen) << "the cursor behind J";
  runFor(50);  // K wraps
  for (int y = rowTop - lineHeight; y < rowTop; y++)
    for (int x = 10 * cw; x < width; x++)
      ASSERT_EQ(pixel(screenBitmap, x, y), kBackground) << "cursor left on the scrolled row";
}

TEST_F(Typewriter, IndentWiderThanTheWindowWrapsEveryCharacterWithoutStalling) {
  settings.indent = 5000;
  open(60, 100);
  lineQueue.append("abcdef");
  start();
  runFor(50 + 500 + 6 * 50 + 10);
  EXPECT_EQ(typedText(), "abcdef");
  EXPECT_EQ(scrolls().size(), 1u + 6u);
  for (long x : characterXs()) EXPECT_EQ(x, 5000);
}

TEST_F(Typewriter, NegativeIndentMovesRowsLeft) {
  settings.indent = -5000;
  open(60, 100);
  lineQueue.append("xyz");
  start();
  runFor(50 + 500 + 3 * 50 + 10);
  EXPECT_EQ(characterXs(), (std::vector<long>{-5000, -5000 + charWidth, -5000 + 2 * charWidth}));
}

TEST_F(Typewriter, LongLinesAreCutTo255Characters) {
  settings.typeDelay = 10;
  open(20000, 100);
  std::string exact(255, 'e'), longer(300, 'l');
  lineQueue.append(exact.c_str());
  lineQueue.append(longer.c_str());
  start();
  runFor(10 + 500 + 256 * 10 + 500 + 256 * 10);
  EXPECT_EQ(typedText(), exact + longer.substr(0, 255));
}

TEST_F(Typewriter, EmptyDocumentTypesTheLastLineAgain) {
  settings.urlList.append(fileUrl("").c_str());
  open(400, 100);
  lineQueue.append("last");
  start();
  runFor(50 + 500 + 4 * 50 + 50 + 500 + 4 * 50 + 10);
  EXPECT_EQ(typedText(), "lastlast");
}

// A list whose one document gives no line: the blank row scrolls once, then
// the next round of the list waits 30 s (and then 60 s) instead of fetching
// at every line pause.
TEST_F(Typewriter, EmptyFeedAtStartScrollsOnceThenWaits) {
  settings.urlList.append(fileUrl("\r\n\r\n").c_str());
  open(400, 100);
  start();
  runFor(2000);
  EXPECT_EQ(typedText(true), "");
  EXPECT_EQ(scrolls().size(), 1u);
  EXPECT_EQ(typewriterState(), WaitingForDocument);
  runFor(31000);
  EXPECT_EQ(scrolls().size(), 2u);
  std::vector<DrawEvent> waits;
  for (const DrawEvent& e : events({"settimer"}))
    if (e.args.at(1) == FetchTimer) waits.push_back(e);
  ASSERT_EQ(waits.size(), 2u);
  EXPECT_EQ(waits[0].args.at(2), 30000);
  EXPECT_EQ(waits[1].args.at(2), 60000);
}

TEST_F(Typewriter, ZeroOrNegativeDelaysUseTheTimerLimits) {
  settings.typeDelay = 0;
  settings.lineScrollDelay = 0;
  open(400, 100);
  lineQueue.append("abc");
  start();
  runFor(200);
  std::vector<DrawEvent> text = events({"textout"});
  ASSERT_GE(text.size(), 6u);
  EXPECT_EQ(text[2].time - text[0].time, 10u);  // the smallest timer interval

  // A negative delay arrives as a huge interval: the timer waits, nothing
  // breaks.
  stopTyping();
  settings.typeDelay = -1;
  lineQueue.append("def");
  start();
  runFor(5000);
  EXPECT_EQ(typedText(true), "");
}

TEST_F(Typewriter, TinyWindowKeepsTyping) {
  open(1, 1);
  lineQueue.append("tiny window");
  start();
  runFor(50 + 500 + 11 * 50 + 10);
  EXPECT_EQ(typedText(), "tiny window");
}

// What the user sees: green text on black in "Courier New" at 30 pixels
// after some seconds of a document. The picture is kept as a PNG for a look.
TEST_F(Typewriter, SnapshotLooksLikeATerminal) {
  settings.bgColor = 0x000000;
  settings.fgColor = 0x00FF00;
  settings.urlList.append(fileUrl("Quillon types what it fetches,\n"
                                  "one character at a time,\n"
                                  "like an old terminal.\n").c_str());
  open(640, 240);
  start();
  runFor(8000);

  PixelBuffer image = {nullptr, clientRect.right, clientRect.bottom};
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width * image.height));
  image.pixels = pixels.data();
  int green = 0, other = 0;
  for (int y = 0; y < image.height; y++)
    for (int x = 0; x < image.width; x++) {
      COLORREF c = pixel(screenBitmap, x, y);
      pixels[static_cast<size_t>(y * image.width + x)] = pixelFromColorref(c);
      if (c == 0) continue;
      if (GetRValue(c) == 0 && GetBValue(c) == 0 && GetGValue(c) > 0) green++;
      else other++;
    }
  EXPECT_TRUE(writePng(SNAPSHOT_DIR "/typewriter.png", image));
  EXPECT_GT(green, 1000) << "text drawn in green";
  EXPECT_EQ(other, 0) << "only green on black, anti-aliased";
  EXPECT_EQ(typedText().substr(0, 30), "Quillon types what it fetches,");
}
